// The real program with its window on a private X server and session bus: it starts hidden in
// a tray that comes up only after it (a stand-in StatusNotifier host, the kind Plasma and the
// AppIndicator extension provide), puts its menu there, takes its global keys although one of
// them is held by another program, raises its window for a second start, and ends within a
// second on SIGTERM while its exit question is open, asking nothing.

#include "SlideshowHome.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "TestProcess.h"
#include "X11Windows.h"
#include "library/MessageReporter.h"

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QProcess>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <csignal>
#include <memory>

using namespace skyloom;
using test::kSlow;

namespace {

// The watcher service a tray host runs: it takes the items' registrations.
class StandInWatcher : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ HostRegistered)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ Items)
public:
    explicit StandInWatcher(QObject* parent) : QDBusAbstractAdaptor(parent) {}
    bool HostRegistered() const { return m_hostRegistered; }
    bool m_hostRegistered = false;
    QStringList Items() const { return m_items; }
    QStringList m_items; // "service path" of each item; an icon hidden and shown again comes anew

public slots:
    void RegisterStatusNotifierItem(const QString& item, const QDBusMessage& message) {
        // Either a bus name (the object at the usual path) or a path on the sender.
        m_items << (item.startsWith('/') ? message.service() + ' ' + item
                                         : item + " /StatusNotifierItem");
        emit StatusNotifierItemRegistered(item);
    }
    void RegisterStatusNotifierHost(const QString&) {}

signals:
    void StatusNotifierItemRegistered(const QString& item);
    void StatusNotifierHostRegistered();
};

// One entry of a com.canonical.dbusmenu layout.
struct MenuEntry {
    int id = 0;
    QVariantMap properties;
    QList<MenuEntry> children;
};

MenuEntry ReadEntry(const QDBusArgument& argument) {
    MenuEntry entry;
    argument.beginStructure();
    argument >> entry.id >> entry.properties;
    argument.beginArray();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        entry.children << ReadEntry(child.variant().value<QDBusArgument>());
    }
    argument.endArray();
    argument.endStructure();
    return entry;
}

} // namespace

class TestWindowSession : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    QString m_log; // what the recording wallpaper command was handed, a line each
    QProcessEnvironment m_env;
    std::unique_ptr<QProcess> m_running;
    test::DisplayPtr m_display;
    QObject m_host;
    StandInWatcher* m_watcher = nullptr;

    QString Skyloom(const QStringList& arguments, int* status = nullptr) {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(SKYLOOM_BINARY, arguments);
        if (!process.waitForFinished(15000 * kSlow))
            process.kill();
        process.waitForFinished();
        if (status)
            *status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }

    QStringList Applied() const {
        if (!QFile::exists(m_log))
            return {};
        return QString::fromUtf8(test::ReadAll(m_log)).split('\n', Qt::SkipEmptyParts);
    }

    QList<Window> Shown(const char* title) const {
        return test::ShownWindows(m_display.get(), title);
    }

    // What a window manager sends when the close box is clicked.
    void CloseBox(Window window) {
        Display* display = m_display.get();
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
    }

    void Keys(const char* keys) { QCOMPARE(QProcess::execute("xdotool", {"key", keys}), 0); }

    QDBusMessage CallItem(const QString& path, const QString& interface, const QString& method,
                          const QVariantList& arguments) {
        if (!m_watcher || m_watcher->m_items.isEmpty())
            return {};
        const QString service = m_watcher->m_items.last().section(' ', 0, 0);
        QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
        call.setArguments(arguments);
        return QDBusConnection::sessionBus().call(call, QDBus::Block, 5000 * kSlow);
    }

    // The tray menu as the host reads it: the entries' labels with their state, separators
    // as "-".
    QList<MenuEntry> TrayMenu() {
        const QString menuPath = [this] {
            const QDBusMessage reply = CallItem(m_watcher->m_items.last().section(' ', 1),
                                                "org.freedesktop.DBus.Properties", "Get",
                                                {"org.kde.StatusNotifierItem", "Menu"});
            return reply.arguments()
                .value(0)
                .value<QDBusVariant>()
                .variant()
                .value<QDBusObjectPath>()
                .path();
        }();
        CallItem(menuPath, "com.canonical.dbusmenu", "AboutToShow", {0});
        const QDBusMessage layout =
            CallItem(menuPath, "com.canonical.dbusmenu", "GetLayout", {0, -1, QStringList{}});
        if (layout.type() != QDBusMessage::ReplyMessage || layout.arguments().size() < 2)
            return {};
        m_menuPath = menuPath;
        return ReadEntry(layout.arguments().at(1).value<QDBusArgument>()).children;
    }
    QString m_menuPath;

    MenuEntry Entry(const QString& label) {
        for (const MenuEntry& entry : TrayMenu())
            if (entry.properties.value("label").toString() == label)
                return entry;
        return {-1, {}, {}};
    }

    void Click(const QString& label) {
        const int id = Entry(label).id;
        QVERIFY2(id >= 0, qPrintable(label));
        CallItem(m_menuPath, "com.canonical.dbusmenu", "Event",
                 {id, QString("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u});
    }

private slots:
    void initTestCase() {
        if (!QDBusConnection::sessionBus().isConnected())
            QFAIL("no session bus: the test runs under dbus-run-session");
        m_display.reset(XOpenDisplay(nullptr));
        QVERIFY(m_display);
        QVERIFY(test::MakeSlideshowHome(m_home.path(), [](CAppSettings& settings) {
            settings.m_bAutoQueue = 0; // its tray entry is grey
            settings.m_bStartMinimized = 1;
            settings.m_bMinimizeToTray = 1;
            settings.m_bAlwaysShowTrayIcon = 1; // the menu stays there with the window shown
            settings.m_bMinimizeOnClose = 1;
        }));
        m_log = m_home.path() + "/applied.log";
        m_env = test::UserEnvironment(m_home.path());
        m_env.insert("SKYLOOM_SET_WALLPAPER_COMMAND",
                     QString("printf '[%s]\\n' >> '%1'").arg(m_log));
    }

    void cleanupTestCase() {
        if (m_running && m_running->state() != QProcess::NotRunning) {
            m_running->kill();
            m_running->waitForFinished();
        }
    }

    void waitsForATrayThatComesLate() {
        // Another program holds Ctrl+Alt+P already.
        Display* display = m_display.get();
        const int p = XKeysymToKeycode(display, XK_p);
        XGrabKey(display, p, ControlMask | Mod1Mask, DefaultRootWindow(display), True,
                 GrabModeAsync, GrabModeAsync);
        XSync(display, False);

        m_running = std::make_unique<QProcess>();
        m_running->setProcessEnvironment(m_env);
        m_running->setProcessChannelMode(QProcess::MergedChannels);
        m_running->start(SKYLOOM_BINARY, QStringList{});
        QVERIFY(m_running->waitForStarted());
        // Well within the program's wait for a tray, whatever the build: the panel comes up in
        // two steps, its watcher service first and its host a moment later.
        QTest::qWait(1500);
        QVERIFY(Shown(kApplicationTitle).isEmpty()); // hidden, waiting for the tray
        m_watcher = new StandInWatcher(&m_host);
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.registerObject("/StatusNotifierWatcher", &m_host));
        QVERIFY(bus.registerService("org.kde.StatusNotifierWatcher"));
        QTest::qWait(1500);
        QVERIFY(m_watcher->m_items.isEmpty()); // a watcher without a host is no tray yet
        m_watcher->m_hostRegistered = true;
        emit m_watcher->StatusNotifierHostRegistered();
        QTRY_VERIFY_WITH_TIMEOUT(!m_watcher->m_items.isEmpty(), 8000);
        QVERIFY2(Shown(kApplicationTitle).isEmpty(), "the window went to the taskbar");
        QCOMPARE(m_running->state(), QProcess::Running);
    }

    void trayMenuCarriesTheState() {
        QVERIFY(m_watcher && !m_watcher->m_items.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(Skyloom({"--status"}).startsWith("running"), 10000 * kSlow);
        const QList<MenuEntry> menu = TrayMenu();
        QStringList labels;
        for (const MenuEntry& entry : menu) {
            if (entry.properties.value("type").toString() == "separator") {
                labels << "-";
                continue;
            }
            // A host shows "_x" as x with its mnemonic mark, "__" as "_".
            QString label;
            const QString raw = entry.properties.value("label").toString();
            for (qsizetype i = 0; i < raw.size(); ++i)
                if (raw[i] != '_' || (++i < raw.size()))
                    label += raw[i];
            if (!entry.properties.value("enabled", true).toBool())
                label += " (grey)";
            if (entry.properties.value("toggle-type").toString() == "checkmark")
                label += entry.properties.value("toggle-state").toInt() ? " [x]" : " [ ]";
            labels << label;
        }
        QCOMPARE(labels, QStringList({"Restore", "-", "AutoQueue (grey)", "-", "Pause [ ]",
                                      "Resume", "-", "Pause & Clear", "-", "Next Wallpaper",
                                      "Clear Wallpaper", "-", "About Skyloom", "-", "Exit"}));
        Click("Pause");
        QTRY_VERIFY_WITH_TIMEOUT(Skyloom({"--status"}).startsWith("paused"), 5000 * kSlow);
        QTRY_COMPARE_WITH_TIMEOUT(Entry("Pause").properties.value("toggle-state").toInt(), 1,
                                  5000 * kSlow);
        Click("Resume");
        QTRY_VERIFY_WITH_TIMEOUT(Skyloom({"--status"}).startsWith("running"), 5000 * kSlow);
    }

    void globalKeysWorkBesideAHeldOne() {
        QTRY_VERIFY_WITH_TIMEOUT(Skyloom({"--status"}).contains("next change in"), 10000 * kSlow);
        const int before = int(Applied().size());
        Keys("ctrl+alt+n");
        QTRY_COMPARE_WITH_TIMEOUT(int(Applied().size()), before + 1, 10000 * kSlow);
        Keys("ctrl+alt+p"); // the other program's: the slideshow goes on
        QTest::qWait(300);
        QVERIFY(Skyloom({"--status"}).startsWith("running"));
        Keys("ctrl+alt+b"); // pause and clear
        QTRY_VERIFY_WITH_TIMEOUT(Skyloom({"--status"}).startsWith("paused"), 5000 * kSlow);
        QTRY_COMPARE_WITH_TIMEOUT(Applied().last(), "[]", 5000 * kSlow);
        Keys("ctrl+alt+r");
        QTRY_VERIFY_WITH_TIMEOUT(Skyloom({"--status"}).startsWith("running"), 5000 * kSlow);
    }

    void secondStartRaisesTheWindow() {
        int status = -1;
        Skyloom({}, &status);
        QCOMPARE(status, 0);
        QTRY_COMPARE_WITH_TIMEOUT(Shown(kApplicationTitle).size(), 1, 5000 * kSlow);
        // The close box minimizes to the tray, as the settings say; a click on the icon
        // (StatusNotifier hosts send Activate for a single click) brings it back.
        CloseBox(Shown(kApplicationTitle).first());
        QTRY_VERIFY_WITH_TIMEOUT(Shown(kApplicationTitle).isEmpty(), 5000 * kSlow);
        CallItem(m_watcher->m_items.last().section(' ', 1), "org.kde.StatusNotifierItem",
                 "Activate", {0, 0});
        QTRY_COMPARE_WITH_TIMEOUT(Shown(kApplicationTitle).size(), 1, 5000 * kSlow);
    }

    void terminationWithTheExitQuestionOpen() {
        Click("Exit");
        // The question is a second window of that title.
        QTRY_COMPARE_WITH_TIMEOUT(Shown(kApplicationTitle).size(), 2, 5000 * kSlow);
        QElapsedTimer clock;
        clock.start();
        ::kill(pid_t(m_running->processId()), SIGTERM);
        QVERIFY(m_running->waitForFinished(1000 * kSlow));
        const qint64 ms = clock.elapsed();
        QCOMPARE(m_running->exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_running->exitCode(), 0);
        qInfo("ended %lld ms after SIGTERM", ms);
        QCOMPARE(test::StoredSettings(m_home.path()).m_bConfirmExit, 1); // nothing was answered
        QCOMPARE(Skyloom({"--status"}), QString());
    }
};

SKYLOOM_TEST_MAIN(TestWindowSession, QCoreApplication)
#undef Bool // Xlib's, which Qt's generated code would meet
#include "tst_window_session.moc"
