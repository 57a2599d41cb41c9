#include "TrayHost.h"

#include "dbus/StatusNotifierHostWatch.h"
#include "x11/X11TrayManagerWatch.h"

#include <vector>

namespace skyloom::platform {
namespace {

// Either kind of tray will do.
class AnyTrayHostWatch final : public ITrayHostWatch {
public:
    void Add(std::unique_ptr<ITrayHostWatch> watch) {
        connect(watch.get(), &ITrayHostWatch::hostUp, this, &ITrayHostWatch::hostUp);
        m_watches.push_back(std::move(watch));
    }
    bool Empty() const { return m_watches.empty(); }
    bool IsUp() const override {
        for (const auto& watch : m_watches)
            if (watch->IsUp())
                return true;
        return false;
    }

private:
    std::vector<std::unique_ptr<ITrayHostWatch>> m_watches;
};

} // namespace

std::unique_ptr<ITrayHostWatch> CreateTrayHostWatch() {
    auto any = std::make_unique<AnyTrayHostWatch>();
    if (const QDBusConnection bus = QDBusConnection::sessionBus(); bus.isConnected())
        any->Add(std::make_unique<StatusNotifierHostWatch>(bus));
    if (auto x11 = X11TrayManagerWatch::Create())
        any->Add(std::move(x11));
    if (any->Empty())
        return nullptr;
    return any;
}

} // namespace skyloom::platform
