// The settings file: its byte layout against hand-built fixtures, recovery from damaged files,
// and atomic replacement.

#include "DummyServices.h"
#include "SettingsFixture.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "settings/CAppSettings.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/resource.h>

using skyloom::CAppSettings;
using Outcome = CAppSettings::LoadOutcome;

namespace {

using skyloom::test::ReadAll;
using skyloom::test::WriteFile;

QByteArray Le32(quint32 value) {
    const auto le = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char*>(&le), 4);
}

QByteArray Utf16Le(const QString& text) {
    QByteArray bytes;
    for (QChar c : text) {
        const auto le = qToLittleEndian(c.unicode());
        bytes.append(reinterpret_cast<const char*>(&le), 2);
    }
    return bytes;
}

QByteArray ShortField(const QByteArray& utf8) {
    return char(utf8.size()) + utf8;
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<skyloom::test::DummyServices> m_services;

    QString Path() const { return m_dir.filePath("Settings.skdat"); }
    QString PicturesFolder() const { return m_dir.path() + "/Pictures"; }

    // The default record as the dummy desktop describes it: colour "0 128 255".
    FixtureFields Defaults() const {
        FixtureFields f;
        f.lastBrowseFolder = ShortField(PicturesFolder().toUtf8());
        f.solidColour = 0xFF8000;
        return f;
    }

    CAppSettings RecordAt(const QString& path) {
        CAppSettings settings;
        settings.SetSettingsPath(path);
        return settings;
    }

private slots:
    void initTestCase() {
        m_services = std::make_unique<skyloom::test::DummyServices>(m_dir.path());
        m_services->desktop.colourText = "0 128 255";
    }

    void init() {
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(m_dir.filePath(name));
    }

    void freshRecordSavesTheDefaults() {
        CAppSettings settings = RecordAt(Path());
        QCOMPARE(settings.m_nVersion, 0);
        QVERIFY(settings.Save());
        QCOMPARE(settings.m_nVersion, 2);
        QCOMPARE(ReadAll(Path()), Version2File(Defaults()));
    }

    void firstLoadCreatesTheDefaultFile() {
        CAppSettings settings = RecordAt(Path());
        QCOMPARE(settings.Load(), Outcome::Created);
        QCOMPARE(ReadAll(Path()), Version2File(Defaults()));
        // The page offers 480 and up, but nothing raises the stored default.
        QCOMPARE(settings.m_nMinSize, 450);
        QCOMPARE(settings.GetLastBrowseFolder(), PicturesFolder());
    }

    void loadThenSave_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<QList<int>>("queue");
        QTest::addColumn<int>("glass");

        const FixtureFields d = Defaults();
        QTest::newRow("defaults round-trip")
            << Version2File(d) << Version2File(d) << QList<int>{} << 1;

        FixtureFields v1 = d;
        v1.version = 1;
        const QByteArray version1 =
            SettingsBytes().Raw(FixedFields(v1)).Int32(4).Int32s({7, 3, 7, 5});
        QTest::newRow("version 1 with ids 7 3 7 5")
            << version1 << Version2File(d, {3, 5, 7}) << QList<int>{3, 5, 7} << 1;

        QTest::newRow("glass reflection off")
            << Version2File(d, {42}, 0) << Version2File(d, {42}, 0) << QList<int>{42} << 0;

        FixtureFields longText = d;
        longText.backgroundImage = QByteArray("\xFF\x2C\x01") + QByteArray(300, 'a');
        QTest::newRow("300-byte string, 16-bit length")
            << Version2File(longText) << Version2File(longText) << QList<int>{} << 1;

        FixtureFields hugeText = d;
        hugeText.lastPhoto = QByteArray("\xFF\xFF\xFF") + Le32(70000) + QByteArray(70000, 'p');
        QTest::newRow("70000-byte string, 32-bit length")
            << Version2File(hugeText) << Version2File(hugeText) << QList<int>{} << 1;

        const QString wide = QString::fromUtf8("/home/zoë/Bilder/Äpfel.jpg");
        FixtureFields utf16 = d;
        utf16.lastPhoto = QByteArray("\xFF\xFE\xFF") + char(wide.size()) + Utf16Le(wide);
        FixtureFields utf8 = d;
        utf8.lastPhoto = ShortField(wide.toUtf8());
        QTest::newRow("UTF-16 string written back as UTF-8")
            << Version2File(utf16) << Version2File(utf8) << QList<int>{} << 1;

        FixtureFields reserved = d;
        reserved.reserved = 0x0123456789ABCDEFLL;
        QTest::newRow("reserved 64-bit value carried")
            << Version2File(reserved) << Version2File(reserved) << QList<int>{} << 1;

        QTest::newRow("bytes after the ids ignored")
            << Version2File(d, {1}) + "junk" << Version2File(d, {1}) << QList<int>{1} << 1;
    }

    void loadThenSave() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, saved);
        QFETCH(QList<int>, queue);
        QFETCH(int, glass);

        QVERIFY(WriteFile(Path(), file));
        CAppSettings settings = RecordAt(Path());
        QCOMPARE(settings.Load(), Outcome::Loaded);
        QCOMPARE(QList<int>(settings.m_arrQueue.begin(), settings.m_arrQueue.end()), queue);
        QCOMPARE(settings.m_bGlassReflection, glass);
        QVERIFY(settings.Save());
        QCOMPARE(ReadAll(Path()), saved);
    }

    void colourText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("colour");
        QTest::newRow("0 128 255") << "0 128 255" << 0xFF8000u;
        QTest::newRow("no numbers") << "RIO" << 0u;
        QTest::newRow("empty") << "" << 0u;
        QTest::newRow("red only") << "255" << 0xFFu;
        QTest::newRow("two numbers") << "1 2" << 0x0201u;
        QTest::newRow("low 8 bits") << "300 -1 7" << 0x07FF2Cu;
        QTest::newRow("tabs and extra blanks") << "  10   20\t30" << 0x1E140Au;
        QTest::newRow("commas stop the scan") << "12,34,56" << 12u;
    }

    void colourText() {
        QFETCH(QString, text);
        QFETCH(quint32, colour);
        QCOMPARE(skyloom::ParseColourText(text), colour);
    }

    void malformedFileIsKeptAndReplaced_data() {
        QTest::addColumn<QByteArray>("file");
        const FixtureFields d = Defaults();
        const QByteArray good = Version2File(d, {1, 2});
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("version only") << Le32(2);
        QTest::newRow("cut inside the file tag") << good.left(10);
        QTest::newRow("cut before the count") << FixedFields(d);
        QTest::newRow("cut before the glass flag") << FixedFields(d) + Le32(0);
        QTest::newRow("ids missing") << good.left(good.size() - 4);
        QTest::newRow("string longer than the file") << Le32(2) + "\xFF\x00\x10" + "abc";
        QTest::newRow("UTF-16 marker twice") << Le32(2) + "\xFF\xFE\xFF\xFF\xFE\xFF" + "\x01";
        QTest::newRow("count near 2^31") << FixedFields(d) + Le32(0x7FFFFFFF) + Le32(1);
        QTest::newRow("a PNG image") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
    }

    void malformedFileIsKeptAndReplaced() {
        QFETCH(QByteArray, file);
        QVERIFY(WriteFile(Path(), file));
        CAppSettings settings = RecordAt(Path());
        settings.m_nIntervalSeconds = 42;
        settings.InsertQueueId(9);

        QCOMPARE(settings.Load(), Outcome::Malformed);
        QCOMPARE(ReadAll(Path() + ".bad"), file);
        QCOMPARE(ReadAll(Path()), Version2File(Defaults()));
        QCOMPARE(settings.m_nIntervalSeconds, 3);
        QVERIFY(settings.m_arrQueue.empty());
    }

    void failedSaveKeepsTheOldFile() {
        const QByteArray old = Version2File(Defaults(), {5});
        QVERIFY(WriteFile(Path(), old));
        CAppSettings settings = RecordAt(Path());
        QCOMPARE(settings.Load(), Outcome::Loaded);
        settings.m_nIntervalSeconds = 59;

        // A file-size limit makes every write past 16 bytes fail, even for root.
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 16;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool saved16 = settings.Save();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!saved16);
        QCOMPARE(ReadAll(Path()), old);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Settings.skdat"});

        settings.SetSettingsPath(m_dir.filePath("no-such-folder/Settings.skdat"));
        QVERIFY(!settings.Save());
    }
};

SKYLOOM_TEST_MAIN(TestSettingsFile, QCoreApplication)
#include "tst_settings_file.moc"
