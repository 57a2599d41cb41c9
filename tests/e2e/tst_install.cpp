// cmake --install into a temporary prefix: the program, the menu entry and the metainfo (both
// validated by their freedesktop tools), the icon at the hicolor sizes, and a manual page that
// names every option the program lists in --help.

#include "TestMain.h"

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

class TestInstall : public QObject {
    Q_OBJECT

    QTemporaryDir m_prefix;

    static QString Run(const QString& program, const QStringList& arguments, int* status) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        if (!process.waitForFinished(60000)) {
            *status = -1;
            return "did not finish";
        }
        *status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return QString::fromUtf8(process.readAll());
    }

    QString Installed(const QString& path) const { return m_prefix.path() + "/" + path; }

private slots:
    void initTestCase() {
        int status = 0;
        const QString output =
            Run("cmake", {"--install", SKYLOOM_BUILD_DIR, "--prefix", m_prefix.path()}, &status);
        QVERIFY2(status == 0, qPrintable(output));
    }

    void programAndMenuEntry() {
        QVERIFY(QFileInfo(Installed("bin/skyloom")).isExecutable());
        int status = 0;
        const QString complaints =
            Run("desktop-file-validate",
                {Installed("share/applications/app.skyloom.Skyloom.desktop")}, &status);
        QVERIFY2(status == 0 && complaints.trimmed().isEmpty(), qPrintable(complaints));
        const QString metainfo = Run(
            "appstreamcli",
            {"validate", "--no-net", Installed("share/metainfo/app.skyloom.Skyloom.metainfo.xml")},
            &status);
        QVERIFY2(status == 0, qPrintable(metainfo));
    }

    void iconAtTheUsualSizes() {
        QVERIFY(QFileInfo::exists(Installed("share/icons/hicolor/scalable/apps/skyloom.svg")));
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QImage icon(
                Installed(QString("share/icons/hicolor/%1x%1/apps/skyloom.png").arg(size)));
            QCOMPARE(icon.size(), QSize(size, size));
            QCOMPARE(icon.pixelColor(0, 0).alpha(), 0); // the tile's rounded corner
            QCOMPARE(icon.pixelColor(size / 2, size / 2).alpha(), 255);
        }
    }

    void manualPageNamesEveryOption() {
        int status = 0;
        const QString help = Run(Installed("bin/skyloom"), {"--help"}, &status);
        QCOMPARE(status, 0);
        QFile page(Installed("share/man/man1/skyloom.1"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString manual = QString::fromUtf8(page.readAll()).replace("\\-", "-");
        static const QRegularExpression option("--[a-z][a-z-]+");
        int options = 0;
        for (auto match = option.globalMatch(help); match.hasNext(); ++options) {
            const QString name = match.next().captured();
            QVERIFY2(manual.contains(name), qPrintable(name));
        }
        QVERIFY(options >= 14);
        QVERIFY(manual.contains("/x"));
        QVERIFY(manual.contains("Settings.skdat"));
    }
};

SKYLOOM_TEST_MAIN(TestInstall, QCoreApplication)
#include "tst_install.moc"
