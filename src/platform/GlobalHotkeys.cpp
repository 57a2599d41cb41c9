#include "GlobalHotkeys.h"

#include "x11/X11GlobalHotkeys.h"

namespace skyloom::platform {
namespace {

// Where the session has no global keys: nothing registers.
class NoGlobalHotkeys final : public IGlobalHotkeys {
public:
    QList<int> Register(const QList<Hotkey>&) override { return {}; }
    void Unregister() override {}
};

} // namespace

std::unique_ptr<IGlobalHotkeys> CreateGlobalHotkeys() {
    if (auto x11 = X11GlobalHotkeys::Create())
        return x11;
    return std::make_unique<NoGlobalHotkeys>();
}

} // namespace skyloom::platform
