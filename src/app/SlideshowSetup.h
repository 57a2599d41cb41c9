#pragma once

#include "engine/CSlideshowEngine.h"

#include <vector>

namespace skyloom {

class CAppSettings;
struct StartupPaths;

// The engine wired to the session: the desktop's wallpaper backend, its idle clock and its
// primary screen, the library and the wallpaper file of the settings.
EngineSetup SessionEngineSetup(const CAppSettings& settings, const StartupPaths& startup);

// Tells the engine when the session's monitors change, for as long as it lives.
void WatchSessionMonitors(CSlideshowEngine& engine);

// AutoQueue with the settings' category and count; the shortcuts queued become the settings'
// queue, saved at once.
void RunAutoQueue(CSlideshowEngine& engine, CAppSettings& settings);

} // namespace skyloom
