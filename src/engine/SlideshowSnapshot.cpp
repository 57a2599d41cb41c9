#include "SlideshowSnapshot.h"

#include "ChangeInterval.h"
#include "settings/CAppSettings.h"
#include "settings/SettingsSnapshot.h"

namespace skyloom {

SlideshowSnapshot SnapshotOf(const CAppSettings& s) {
    SlideshowSnapshot snapshot;
    snapshot.filters = {s.m_nOrientationFilter, s.m_bMinSizeFilter != 0, s.m_nMinSize};
    snapshot.render = RenderOptionsOf(s);
    snapshot.intervalMs = ChangeIntervalMs(s.m_nIntervalHours, s.m_nIntervalMinutes,
                                           s.m_nIntervalSeconds, s.m_bGlassReflection != 0);
    snapshot.idleOnly = s.m_bIdleOnly != 0;
    snapshot.idleSeconds = s.m_nIdleSeconds;
    snapshot.pauseOnStartup = s.m_bPauseOnStartup != 0;
    snapshot.photoPerMonitor = s.m_nMonitors == CAppSettings::kEachMonitor;
    snapshot.lastPhoto = s.GetLastPhoto();
    snapshot.tempFolder = s.GetTempFolder();
    return snapshot;
}

} // namespace skyloom
