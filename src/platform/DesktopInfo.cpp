#include "DesktopInfo.h"

#include <algorithm>

namespace skyloom::platform {

void SortMonitors(std::vector<MonitorInfo>& monitors) {
    std::stable_sort(monitors.begin(), monitors.end(),
                     [](const MonitorInfo& a, const MonitorInfo& b) {
                         if (a.geometry.x() != b.geometry.x())
                             return a.geometry.x() < b.geometry.x();
                         return a.geometry.y() < b.geometry.y();
                     });
}

QRect VirtualDesktop(const std::vector<MonitorInfo>& monitors) {
    QRect box;
    for (const MonitorInfo& m : monitors)
        box = box.united(m.geometry);
    return box;
}

} // namespace skyloom::platform
