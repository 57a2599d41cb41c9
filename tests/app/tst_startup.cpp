// The start-up's paths and settings: a first start in an empty home, the scratch-folder
// clean-up, and the corrections made to stored values.

#include "DummyServices.h"
#include "SettingsFixture.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "app/PathsAndSettings.h"
#include "library/PhotoPatterns.h"
#include "settings/CAppSettings.h"

#include <QDir>
#include <QFile>

using skyloom::CAppSettings;

namespace {

using skyloom::test::ReadAll;
using skyloom::test::WriteFile;

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    int m_homes = 0;

    // A fresh, empty home with the dummy desktop installed for the caller's lifetime.
    QString NewHome() { return m_root.filePath(QString("home%1").arg(++m_homes)); }

private slots:
    void firstStartInAnEmptyHome() {
        const QString home = NewHome();
        skyloom::test::DummyServices services(home);
        CAppSettings settings;
        const skyloom::StartupPaths startup = skyloom::RunPathsAndSettings(settings);

        const QString data = home + "/Documents/My Skyloom";
        QVERIFY(QFileInfo(data).isDir());
        QVERIFY(QFileInfo(data + "/Temp").isDir());
        QCOMPARE(settings.GetDataFolder(), data);
        QCOMPARE(settings.GetTempFolder(), data + "/Temp");
        QCOMPARE(settings.GetSettingsPath(), data + "/Settings.skdat");
        QCOMPARE(settings.GetDatabasePath(), data + "/Skyloomv1.0.skdb");
        QCOMPARE(settings.GetBackgroundImagePath(), data + "/SKBackground.png");
        QCOMPARE(startup.wallpaperPath, data + "/Wallpaper.jpg");
        QVERIFY(startup.newDatabase);
        QCOMPARE(startup.screenSize, QSize(1920, 1080));

        // Opening the library for the first time created it with "Miscellaneous" as id 3.
        QVERIFY(QFile::exists(data + "/Skyloomv1.0.skdb"));
        QCOMPARE(settings.m_nDefaultCategoryId, 3);
        FixtureFields defaults;
        defaults.defaultCategoryId = 3;
        defaults.lastBrowseFolder =
            char((home + "/Pictures").toUtf8().size()) + (home + "/Pictures").toUtf8();
        QCOMPARE(ReadAll(data + "/Settings.skdat"), Version2File(defaults));
        QCOMPARE(settings.m_nMinSize, 450);
    }

    void storedValuesAreKeptAndCorrected() {
        const QString home = NewHome();
        skyloom::test::DummyServices services(home);
        const QString data = home + "/Documents/My Skyloom";
        FixtureFields stored;
        stored.lastBrowseFolder = "\x04/pix";
        stored.gradientTransform = 3;
        stored.defaultCategoryId = 5;
        QVERIFY(WriteFile(data + "/Settings.skdat", Version2File(stored, {4, 9})));
        QVERIFY(WriteFile(data + "/Skyloomv1.0.skdb", ""));

        CAppSettings settings;
        const skyloom::StartupPaths startup = skyloom::RunPathsAndSettings(settings);
        QVERIFY(!startup.newDatabase);
        QCOMPARE(settings.m_nGradientTransform, 2);
        QCOMPARE(settings.m_nDefaultCategoryId, 5); // a stored choice is not looked up again
        QCOMPARE(settings.GetLastBrowseFolder(), "/pix");
        QCOMPARE(settings.m_arrQueue, (std::vector<int>{4, 9}));
        stored.gradientTransform = 2;
        QCOMPARE(ReadAll(data + "/Settings.skdat"), Version2File(stored, {4, 9}));
    }

    void startupEmptiesTheScratchFolder() {
        const QString home = NewHome();
        skyloom::test::DummyServices services(home);
        const QString temp = home + "/Documents/My Skyloom/Temp";
        QVERIFY(WriteFile(temp + "/old.jpg"));
        QVERIFY(WriteFile(temp + "/notes.txt"));
        QVERIFY(WriteFile(temp + "/sub/inner.jpg"));

        CAppSettings settings;
        skyloom::RunPathsAndSettings(settings);
        QVERIFY(!QFile::exists(temp + "/old.jpg"));
        QVERIFY(QFile::exists(temp + "/notes.txt"));
        QVERIFY(QFile::exists(temp + "/sub/inner.jpg"));
    }

    void scratchPatterns_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("deleted");
        for (const char* name : {"a.jpg", "B.JPG", "c.jpeg", "d.png", "e.bmp", "f.tif", "g.TIFF",
                                 ".hidden.png", "spaced name ü.jpg", "a.b.c.bmp"})
            QTest::newRow(name) << QString::fromUtf8(name) << true;
        // The pattern text is searched as plain text, so a part of an extension matches too.
        QTest::newRow("x.jp") << "x.jp" << true;
        for (const char* name : {"notes.txt", "clip.gif", "README", "trailing.", "jpg", "x.jpgx"})
            QTest::newRow(name) << QString::fromUtf8(name) << false;
    }

    void scratchPatterns() {
        QFETCH(QString, name);
        QFETCH(bool, deleted);
        const QString folder = NewHome();
        QVERIFY(WriteFile(folder + "/" + name));
        skyloom::DeleteMatchingFiles(folder, QString::fromLatin1(skyloom::kScratchPatterns));
        QCOMPARE(!QFile::exists(folder + "/" + name), deleted);
    }
};

SKYLOOM_TEST_MAIN(TestStartup, QCoreApplication)
#include "tst_startup.moc"
