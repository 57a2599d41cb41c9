#pragma once

#include <QList>
#include <QObject>

#include <memory>

namespace skyloom::platform {

// A key pressed with Ctrl and Alt anywhere on the desktop.
struct Hotkey {
    int id = 0;
    char key = 0; // a lower-case letter
};

// Keys that reach the program while other programs have the focus. Where the session offers
// no such thing (Wayland), nothing registers and the remote commands serve instead.
class IGlobalHotkeys : public QObject {
    Q_OBJECT
public:
    ~IGlobalHotkeys() override = default;
    // Registers the keys and returns the ids that could be registered: a key another program
    // holds already is left out, as is every key where the session has no global keys.
    virtual QList<int> Register(const QList<Hotkey>& keys) = 0;
    virtual void Unregister() = 0;

signals:
    void pressed(int id);
};

// The global keys of the running session: X11 key grabs on the root window, or none.
std::unique_ptr<IGlobalHotkeys> CreateGlobalHotkeys();

} // namespace skyloom::platform
