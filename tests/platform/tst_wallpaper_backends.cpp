// The desktop backends at their boundaries: which desktop a session gets, the exact commands
// the command-line desktops receive (fake tools on PATH), GSettings through the real gsettings
// tool with a keyfile backend in the private home, and the user's own command.

#include "TestFiles.h"
#include "TestMain.h"
#include "platform/WallpaperFactory.h"
#include "platform/commands/CommandWallpapers.h"
#include "platform/commands/GSettingsWallpaper.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUrl>

using namespace skyloom::platform;
using skyloom::test::ReadAll;
using skyloom::test::WriteFile;

Q_DECLARE_METATYPE(DesktopKind)

namespace {

QString Gsettings(const QStringList& arguments) {
    QProcess process;
    process.start("gsettings", arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace

class TestWallpaperBackends : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Bin() const { return m_dir.filePath("bin"); }
    QString Log() const { return m_dir.filePath("calls.log"); }
    QString Wallpaper() const { return m_dir.filePath("data/Wallpaper.jpg"); }

    // A fake tool that logs its arguments, one call a line with the arguments tab-separated,
    // prints what it is given, and exits with a code.
    void FakeTool(const QString& name, const QByteArray& output = {}, int exitCode = 0,
                  const QByteArray& errorText = {}) {
        const QByteArray script = "#!/bin/sh\n"
                                  "printf '%s' \"" +
                                  QFile::encodeName(name) + "\" >> \"" + QFile::encodeName(Log()) +
                                  "\"\n"
                                  "for a in \"$@\"; do printf '\\t%s' \"$a\" >> \"" +
                                  QFile::encodeName(Log()) +
                                  "\"; done\n"
                                  "printf '\\n' >> \"" +
                                  QFile::encodeName(Log()) +
                                  "\"\n"
                                  "printf '%s' '" +
                                  output +
                                  "'\n"
                                  "printf '%s' '" +
                                  errorText +
                                  "' >&2\n"
                                  "exit " +
                                  QByteArray::number(exitCode) + "\n";
        QVERIFY(WriteFile(Bin() + "/" + name, script));
        QFile::setPermissions(Bin() + "/" + name,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QStringList Calls() {
        return QString::fromUtf8(ReadAll(Log())).split('\n', Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase() {
        QVERIFY(QDir().mkpath(Bin()));
        qputenv("PATH", (Bin() + ":" + qEnvironmentVariable("PATH")).toUtf8());
        qputenv("GSETTINGS_BACKEND", "keyfile");
        QVERIFY(WriteFile(Wallpaper(), "a picture"));
    }

    void init() { QFile::remove(Log()); }

    void chooseDesktop_data() {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<DesktopKind>("kind");
        QTest::newRow("user command wins")
            << QStringList{"SKYLOOM_SET_WALLPAPER_COMMAND=feh --bg-center",
                           "XDG_CURRENT_DESKTOP=GNOME", "DISPLAY=:0"}
            << DesktopKind::UserCommand;
        QTest::newRow("GNOME") << QStringList{"XDG_CURRENT_DESKTOP=GNOME", "DISPLAY=:0"}
                               << DesktopKind::Gnome;
        QTest::newRow("Ubuntu") << QStringList{"XDG_CURRENT_DESKTOP=ubuntu:GNOME"}
                                << DesktopKind::Gnome;
        QTest::newRow("Budgie") << QStringList{"XDG_CURRENT_DESKTOP=Budgie:GNOME"}
                                << DesktopKind::Gnome;
        QTest::newRow("Unity") << QStringList{"XDG_CURRENT_DESKTOP=Unity"} << DesktopKind::Gnome;
        QTest::newRow("Cinnamon") << QStringList{"XDG_CURRENT_DESKTOP=X-Cinnamon"}
                                  << DesktopKind::Cinnamon;
        QTest::newRow("MATE") << QStringList{"XDG_CURRENT_DESKTOP=MATE"} << DesktopKind::Mate;
        QTest::newRow("KDE") << QStringList{"XDG_CURRENT_DESKTOP=KDE", "XDG_SESSION_TYPE=wayland"}
                             << DesktopKind::Kde;
        QTest::newRow("XFCE") << QStringList{"XDG_CURRENT_DESKTOP=XFCE"} << DesktopKind::Xfce;
        QTest::newRow("sway") << QStringList{"XDG_CURRENT_DESKTOP=sway"} << DesktopKind::Sway;
        QTest::newRow("sway socket")
            << QStringList{"SWAYSOCK=/run/sway.sock", "WAYLAND_DISPLAY=wayland-1"}
            << DesktopKind::Sway;
        QTest::newRow("i3 on X11")
            << QStringList{"XDG_CURRENT_DESKTOP=i3", "XDG_SESSION_TYPE=x11", "DISPLAY=:0"}
            << DesktopKind::X11Root;
        QTest::newRow("bare X server") << QStringList{"DISPLAY=:99"} << DesktopKind::X11Root;
        QTest::newRow("other Wayland compositor")
            << QStringList{"XDG_CURRENT_DESKTOP=Hyprland", "XDG_SESSION_TYPE=wayland", "DISPLAY=:1",
                           "WAYLAND_DISPLAY=wayland-1"}
            << DesktopKind::FileOnly;
        QTest::newRow("no session") << QStringList{} << DesktopKind::FileOnly;
    }

    void chooseDesktop() {
        QFETCH(QStringList, variables);
        QFETCH(DesktopKind, kind);
        QProcessEnvironment env;
        for (const QString& variable : variables)
            env.insert(variable.section('=', 0, 0), variable.section('=', 1));
        QCOMPARE(ChooseDesktop(env), kind);
    }

    void swayGetsItsCommands() {
        FakeTool("swaymsg");
        SwayWallpaper sway;
        QString error;
        QVERIFY(sway.Apply(Wallpaper(), &error));
        QVERIFY(sway.Clear(&error));
        QCOMPARE(Calls(), (QStringList{"swaymsg\toutput\t*\tbg\t" + Wallpaper() + "\tcenter",
                                       "swaymsg\toutput\t*\tbg\t#000000\tsolid_color"}));
    }

    void xfceSetsEveryBackdrop() {
        FakeTool("xfconf-query", "/backdrop/screen0/monitorDP-1/workspace0/last-image\n"
                                 "/backdrop/screen0/monitorDP-1/workspace0/image-style\n"
                                 "/backdrop/screen0/monitorHDMI-1/workspace1/last-image\n"
                                 "/general/other\n");
        XfceWallpaper xfce;
        QString error;
        QVERIFY2(xfce.Apply(Wallpaper(), &error), qPrintable(error));
        const QString shown = m_dir.filePath("data/Wallpaper-1.jpg");
        const QString set = "xfconf-query\t-c\txfce4-desktop\t-p\t";
        const QString list = "xfconf-query\t-c\txfce4-desktop\t-l";
        QCOMPARE(Calls(), (QStringList{list,
                                       set + "/backdrop/screen0/monitorDP-1/workspace0/"
                                             "image-style\t--create\t-t\tint\t-s\t1",
                                       set + "/backdrop/screen0/monitorHDMI-1/workspace1/"
                                             "image-style\t--create\t-t\tint\t-s\t1",
                                       list,
                                       set +
                                           "/backdrop/screen0/monitorDP-1/workspace0/"
                                           "last-image\t--create\t-t\tstring\t-s\t" +
                                           shown,
                                       set +
                                           "/backdrop/screen0/monitorHDMI-1/workspace1/"
                                           "last-image\t--create\t-t\tstring\t-s\t" +
                                           shown}));
        QCOMPARE(ReadAll(shown), QByteArray("a picture"));
    }

    // Two monitors with their own files, as the slideshow hands them over.
    MonitorWallpapers TwoMonitors() {
        MonitorWallpapers w;
        w.canvas = Wallpaper();
        w.box = QRect(0, 0, 2304, 1280);
        w.monitors = {
            {{"DP-1", QRect(0, 0, 1280, 1024), true}, m_dir.filePath("data/m1.jpg")},
            {{"HDMI-1", QRect(1280, 0, 1024, 1280), false}, m_dir.filePath("data/m2.jpg")}};
        for (const auto& m : w.monitors)
            [&] { QVERIFY(WriteFile(m.path, m.info.name.toUtf8())); }();
        return w;
    }

    void swayShowsEachOutputItsFile() {
        FakeTool("swaymsg");
        SwayWallpaper sway;
        QVERIFY(sway.WantsMonitorFiles());
        QString error;
        const MonitorWallpapers w = TwoMonitors();
        QVERIFY2(sway.ApplyMonitors(w, &error), qPrintable(error));
        QCOMPARE(Calls(),
                 (QStringList{
                     "swaymsg	output	DP-1	bg	" + w.monitors[0].path + "	center",
                     "swaymsg	output	HDMI-1	bg	" + w.monitors[1].path + "	center"}));
    }

    void xfceShowsEachMonitorItsFile() {
        // HDMI-1 has two workspaces; eDP-1 is an old monitor no longer connected; DP-1 has no
        // backdrop yet.
        FakeTool("xfconf-query", "/backdrop/screen0/monitorHDMI-1/workspace0/last-image\n"
                                 "/backdrop/screen0/monitorHDMI-1/workspace1/last-image\n"
                                 "/backdrop/screen0/monitoreDP-1/workspace0/last-image\n");
        XfceWallpaper xfce;
        QVERIFY(xfce.WantsMonitorFiles());
        QString error;
        const MonitorWallpapers w = TwoMonitors();
        QVERIFY2(xfce.ApplyMonitors(w, &error), qPrintable(error));
        const QString set = "xfconf-query	-c	xfce4-desktop	-p	/backdrop/screen0/";
        const QString first = m_dir.filePath("data/m1-1.jpg");
        const QString second = m_dir.filePath("data/m2-1.jpg");
        QCOMPARE(
            Calls(),
            (QStringList{
                "xfconf-query	-c	xfce4-desktop	-l",
                set +
                    "monitorDP-1/workspace0/image-style	--create	-t	int	-s	1",
                set +
                    "monitorDP-1/workspace0/last-image	--create	-t	string	-s	" +
                    first,
                set + "monitorHDMI-1/workspace0/image-style	--create	-t	int	"
                      "-s	1",
                set + "monitorHDMI-1/workspace1/image-style	--create	-t	int	"
                      "-s	1",
                set +
                    "monitorHDMI-1/workspace0/last-image	--create	-t	string	"
                    "-s	" +
                    second,
                set +
                    "monitorHDMI-1/workspace1/last-image	--create	-t	string	"
                    "-s	" +
                    second}));
        QCOMPARE(ReadAll(first), QByteArray("DP-1"));
        QCOMPARE(ReadAll(second), QByteArray("HDMI-1"));
    }

    void userCommandAndItsFailure() {
        FakeTool("mywall");
        UserCommandWallpaper command("mywall --centre 'two words'");
        QString error;
        QVERIFY(command.Apply(Wallpaper(), &error));
        QVERIFY(command.Clear(&error));
        QCOMPARE(Calls(), (QStringList{"mywall\t--centre\ttwo words\t" + Wallpaper(),
                                       "mywall\t--centre\ttwo words\t"}));

        FakeTool("brokenwall", {}, 3, "no such monitor");
        UserCommandWallpaper broken("brokenwall");
        QVERIFY(!broken.Apply(Wallpaper(), &error));
        QCOMPARE(error, "brokenwall failed (exit 3): no such monitor");
        QVERIFY(!UserCommandWallpaper("/nonexistent/tool").Apply(Wallpaper(), &error));
        QVERIFY2(error.startsWith("/nonexistent/tool failed (exit 127)"), qPrintable(error));
        // A file name the shell would read is handed over as it stands.
        QFile::remove(Log());
        const QString odd = m_dir.filePath("data/$(touch pwned) 'x'.jpg");
        QVERIFY(command.Apply(odd, &error));
        QCOMPARE(Calls(), QStringList{"mywall\t--centre\ttwo words\t" + odd});
        QVERIFY(!QFile::exists("pwned"));
    }

    void gnomeThroughGSettings() {
        GSettingsWallpaper gnome(kGnomeDesktop);
        QString error;
        QVERIFY2(gnome.Apply(Wallpaper(), &error), qPrintable(error));
        const QString schema = "org.gnome.desktop.background";
        const QString first = "'file://" + m_dir.filePath("data/Wallpaper-1.jpg") + "'";
        QCOMPARE(Gsettings({"get", schema, "picture-uri"}), first);
        QCOMPARE(Gsettings({"get", schema, "picture-options"}), "'centered'");
        if (Gsettings({"list-keys", schema}).split('\n').contains("picture-uri-dark"))
            QCOMPARE(Gsettings({"get", schema, "picture-uri-dark"}), first);
        // The next wallpaper gets the other name, so GNOME loads it anew.
        QVERIFY(gnome.Apply(Wallpaper(), &error));
        QCOMPARE(Gsettings({"get", schema, "picture-uri"}),
                 "'file://" + m_dir.filePath("data/Wallpaper-2.jpg") + "'");
        QVERIFY(ReadAll(qEnvironmentVariable("XDG_CONFIG_HOME") + "/glib-2.0/settings/keyfile")
                    .contains("picture-uri="));

        QVERIFY(gnome.Clear(&error));
        QCOMPARE(Gsettings({"get", schema, "picture-uri"}), "''");
        QCOMPARE(Gsettings({"get", schema, "picture-options"}), "'none'");

        Gsettings({"set", schema, "primary-color", "'#102030'"});
        QCOMPARE(GSettingsColourText(kGnomeDesktop), "16 32 48");
        QCOMPARE(DesktopColourText(DesktopKind::Gnome), "16 32 48");
        QCOMPARE(DesktopColourText(DesktopKind::X11Root), QString());
    }

    void gnomeSpansTheCanvas() {
        GSettingsWallpaper gnome(kGnomeDesktop);
        QVERIFY(!gnome.WantsMonitorFiles());
        QString error;
        QVERIFY2(gnome.ApplyMonitors(TwoMonitors(), &error), qPrintable(error));
        const QString schema = "org.gnome.desktop.background";
        QCOMPARE(Gsettings({"get", schema, "picture-options"}), "'spanned'");
        const QString uri = Gsettings({"get", schema, "picture-uri"});
        QVERIFY2(uri.startsWith("'file://" + m_dir.filePath("data/Wallpaper-")), qPrintable(uri));
        QCOMPARE(ReadAll(QUrl(uri.mid(1, uri.size() - 2)).toLocalFile()), QByteArray("a picture"));
        // One photo again: centred.
        QVERIFY(gnome.Apply(Wallpaper(), &error));
        QCOMPARE(Gsettings({"get", schema, "picture-options"}), "'centered'");
    }

    void missingSchemaIsAFailure() {
        // Cinnamon's schema is not installed here: the apply fails with gsettings' own words.
        GSettingsWallpaper cinnamon(kCinnamonDesktop);
        QString error;
        QVERIFY(!cinnamon.Apply(Wallpaper(), &error));
        QVERIFY2(error.startsWith("gsettings failed"), qPrintable(error));
        QCOMPARE(GSettingsColourText(kCinnamonDesktop), QString());
    }
};

SKYLOOM_TEST_MAIN(TestWallpaperBackends, QCoreApplication)
#include "tst_wallpaper_backends.moc"
