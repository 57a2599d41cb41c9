#pragma once

#include "../DesktopInfo.h"

#include <functional>

namespace skyloom::platform {

// Desktop facts of the running session: the screen through the Qt platform plugin, the
// background colour from the desktop's own settings where it keeps one.
class ScreenDesktopInfo final : public IDesktopInfo {
public:
    explicit ScreenDesktopInfo(std::function<QString()> colourText)
        : m_colourText(std::move(colourText)) {}
    QString BackgroundColourText() const override { return m_colourText(); }
    QSize PrimaryScreenSize() const override;
    std::vector<MonitorInfo> Monitors() const override;
    void WatchMonitors(QObject* context, std::function<void()> changed) override;

private:
    std::function<QString()> m_colourText;
};

} // namespace skyloom::platform
