#pragma once

#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

namespace skyloom::test {

// Points HOME and the XDG folders at a fresh temporary folder for the whole test program, so
// that no test ever reads or writes the real user's files.
class IsolatedHome {
public:
    IsolatedHome() {
        const QString home = m_dir.path();
        Set("HOME", home);
        Set("XDG_CONFIG_HOME", home + "/.config");
        Set("XDG_DATA_HOME", home + "/.local/share");
        Set("XDG_CACHE_HOME", home + "/.cache");
        Set("XDG_STATE_HOME", home + "/.local/state");
        Set("XDG_RUNTIME_DIR", home + "/.runtime");
        QDir().mkpath(home + "/.runtime");
        QFile::setPermissions(home + "/.runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner);
    }
    QString Path() const { return m_dir.path(); }

private:
    static void Set(const char* name, const QString& value) {
        ::setenv(name, value.toUtf8().constData(), 1);
    }
    QTemporaryDir m_dir;
};

} // namespace skyloom::test

// Like QTEST_MAIN, with the application class chosen and the home folder isolated first.
#define SKYLOOM_TEST_MAIN(TestObject, Application)                                                 \
    int main(int argc, char** argv) {                                                              \
        skyloom::test::IsolatedHome home;                                                          \
        Application app(argc, argv);                                                               \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
