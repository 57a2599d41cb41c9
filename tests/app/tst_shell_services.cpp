// The shell's small services: the auto-start entry in a private config folder (validated with
// desktop-file-validate) and the help addresses through a recording opener.

#include "TestFiles.h"
#include "TestMain.h"
#include "app/AutoStart.h"
#include "ui/widgets/HelpLinks.h"
#include "ui/widgets/WebLinks.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using namespace skyloom;

class TestShellServices : public QObject {
    Q_OBJECT

    // Runs desktop-file-validate on the file; its complaints, empty when it is valid.
    static QString Validate(const QString& path) {
        QProcess validate;
        validate.start("desktop-file-validate", {path});
        if (!validate.waitForFinished(10000))
            return "desktop-file-validate did not run";
        return validate.exitCode() == 0 ? QString()
                                        : QString::fromUtf8(validate.readAllStandardOutput());
    }

private slots:
    void autoStartFollowsTheSetting_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/usr/bin/skyloom"
                               << "/usr/bin/skyloom";
        QTest::newRow("blank") << "/opt/My Apps/skyloom"
                               << "\"/opt/My Apps/skyloom\"";
        QTest::newRow("control characters") << "/opt/a\tb/c\nd"
                                            << "\"/opt/a\\tb/c\\nd\"";
        QTest::newRow("reserved characters")
            << "/home/a$b/it's \"x\"/100%/sky\\loom"
            << "\"/home/a\\\\$b/it's \\\\\"x\\\\\"/100%%/sky\\\\\\\\loom\"";
    }

    void autoStartFollowsTheSetting() {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        const QString path = AutoStartEntryPath();
        QVERIFY(path.startsWith(qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart/"));
        QVERIFY(path.endsWith("/Skyloom - Desktop Wallpaper Changer.desktop"));
        QVERIFY(SetAutoStart(true, program));
        const QString text = QString::fromUtf8(test::ReadAll(path));
        QVERIFY2(text.contains("\nExec=" + exec + "\n"), qPrintable(text));
        QCOMPARE(Validate(path), QString());
        // Written only when it changes: the same setting again leaves the file alone.
        const QDateTime written = QFileInfo(path).lastModified();
        QTest::qSleep(20);
        QVERIFY(SetAutoStart(true, program));
        QCOMPARE(QFileInfo(path).lastModified(), written);
        QVERIFY(SetAutoStart(false, program));
        QVERIFY(!QFile::exists(path));
        QVERIFY(SetAutoStart(false, program)); // nothing to remove is no failure
    }

    void aFailedWriteIsReported() {
        const QString folder = QFileInfo(AutoStartEntryPath()).path();
        QDir(folder).removeRecursively();
        QVERIFY(test::WriteFile(folder, "a file where the folder should be"));
        QVERIFY(!SetAutoStart(true, "/usr/bin/skyloom"));
        QFile::remove(folder);
    }

    void helpOpensTheTopicsAddress_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("topic");
        QTest::newRow("shortcuts page") << 106 << "IDD_PP_SKP_SHORTCUTS";
        QTest::newRow("background page") << 108 << "IDD_PP_SKP_BACKGROUND";
        QTest::newRow("options page") << 109 << "IDD_PP_SKP_OPTIONS";
        QTest::newRow("categories") << 2100 << "IDD_DLG_CATEGORIES";
        QTest::newRow("builder") << 2500 << "IDD_DLG_SHORTCUTBUILDER";
        QTest::newRow("new shortcut") << 5001 << "IDD_DLG_SHORTCUTS_NEW";
        QTest::newRow("edit shortcut") << 5002 << "IDD_DLG_SHORTCUTS_EDIT";
        QTest::newRow("unknown") << 7 << "";
    }

    void helpOpensTheTopicsAddress() {
        QFETCH(int, id);
        QFETCH(QString, topic);
        QList<QUrl> opened;
        WebLinks::SetOpener([&](const QUrl& url) {
            opened << url;
            return true;
        });
        OpenHelpTopic(id);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0].toString(), "https://help.skyloom.app/JumpTo.asp?A=Go&S=" + topic);
    }
};

SKYLOOM_TEST_MAIN(TestShellServices, QCoreApplication)
#include "tst_shell_services.moc"
