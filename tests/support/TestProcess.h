#pragma once

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QString>

namespace skyloom::test {

// How much longer the real program may take under a sanitizer.
#ifdef SKYLOOM_SANITIZED
inline constexpr int kSlow = 4;
#else
inline constexpr int kSlow = 1;
#endif

// The environment of a user whose home is the given folder, for starting the real program: a
// user of its own, runtime folder (and so running copy) included. Without display, the program
// sees no graphical session.
inline QProcessEnvironment UserEnvironment(const QString& home, bool display = true) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString runtime = home + "/.runtime";
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    env.insert("XDG_RUNTIME_DIR", runtime);
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/.config");
    env.insert("XDG_DATA_HOME", home + "/.local/share");
    env.insert("XDG_CACHE_HOME", home + "/.cache");
    env.remove("QT_QPA_PLATFORM");
    if (!display) {
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
    }
    return env;
}

} // namespace skyloom::test
