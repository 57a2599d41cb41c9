#pragma once

#include "composer/RenderOptions.h"

namespace skyloom {

class CAppSettings;

// The background fields of the settings record.
BackgroundSettings BackgroundOf(const CAppSettings& settings);

// The look of the wallpaper as the settings record holds it now; the main window takes this
// snapshot at start-up and on Apply.
RenderOptions RenderOptionsOf(const CAppSettings& settings);

} // namespace skyloom
