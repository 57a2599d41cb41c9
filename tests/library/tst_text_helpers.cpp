// Shortcut names made from folder names, the query encoding, counts with separators and
// plural nouns, and the trailing path separator.

#include "TestMain.h"
#include "library/TextHelpers.h"

using namespace skyloom;

class TestTextHelpers : public QObject {
    Q_OBJECT

private slots:
    void autoCorrectName_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::newRow("mixed punctuation") << "my_summer.vacation-2010 (BEACH)"
                                           << "My Summer Vacation 2010 Beach";
        QTest::newRow("blanks only") << "   "
                                     << "";
        QTest::newRow("spaced ampersand") << "Rock & Roll"
                                          << "Rock & Roll";
        QTest::newRow("bare ampersand") << "Tom&Jerry"
                                        << "Tom & Jerry";
        QTest::newRow("short word keeps its case") << "USA"
                                                   << "USA";
        QTest::newRow("long word lower-cased") << "iPhoto"
                                               << "Iphoto";
        QTest::newRow("Mc name") << "mcdonald"
                                 << "McDonald";
        QTest::newRow("brackets and symbols") << "[2011] {best} #1! $100%"
                                              << "2011 Best 1 100";
        QTest::newRow("apostrophe kept") << "mom's birthday"
                                         << "Mom's Birthday";
        QTest::newRow("repeated separators") << "a--b__c"
                                             << "A B C";
        QTest::newRow("non-ASCII")
            << QString::fromUtf8("éTÉS à paris") << QString::fromUtf8("Étés À Paris");
        QTest::newRow("a 300-letter word") << QString(300, 'x') << "X" + QString(299, 'x');
    }

    void autoCorrectName() {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QCOMPARE(AutoCorrectName(folder), name);
    }

    void formatNumber_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("999") << 999 << "999";
        QTest::newRow("1000") << 1000 << "1,000";
        QTest::newRow("12345") << 12345 << "12,345";
        QTest::newRow("-1234") << -1234 << "-1,234";
        QTest::newRow("-123") << -123 << "-123";
        QTest::newRow("0") << 0 << "0";
        QTest::newRow("int min") << int(0x80000000) << "-2,147,483,648";
        QTest::newRow("int max") << 0x7FFFFFFF << "2,147,483,647";
    }

    void formatNumber() {
        QFETCH(int, n);
        QFETCH(QString, text);
        QCOMPARE(FormatNumber(n), text);
    }

    void formatCount_data() {
        QTest::addColumn<QString>("noun");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << "Photo" << 0 << "0 Photos";
        QTest::newRow("one") << "Photo" << 1 << "1 Photo";
        QTest::newRow("two") << "Photo" << 2 << "2 Photos";
        QTest::newRow("thousand") << "Photo" << 1000 << "1,000 Photos";
        QTest::newRow("minus one") << "Shortcut" << -1 << "-1 Shortcuts";
        QTest::newRow("phrase") << "new Shortcut" << 3 << "3 new Shortcuts";
    }

    void formatCount() {
        QFETCH(QString, noun);
        QFETCH(int, n);
        QFETCH(QString, text);
        QCOMPARE(FormatCount(noun, n), text);
    }

    void encodeForQuery() {
        QCOMPARE(EncodeForQuery(" C:\\x "), "C&#38#58\\x");
        QCOMPARE(EncodeForQuery("Miscellaneous"), "Miscellaneous");
        QCOMPARE(EncodeForQuery("  a  b  "), "a  b"); // trims the ends only
    }

    void trailingSeparator_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("add");
        QTest::addColumn<QString>("result");
        QTest::newRow("add") << " /home/p " << true << "/home/p/";
        QTest::newRow("add when present") << "/home/p/" << true << "/home/p/";
        QTest::newRow("remove one") << "/home/p//" << false << "/home/p/";
        QTest::newRow("remove when absent") << "/home/p" << false << "/home/p";
        QTest::newRow("root") << "/" << false << "";
    }

    void trailingSeparator() {
        QFETCH(QString, path);
        QFETCH(bool, add);
        QFETCH(QString, result);
        QCOMPARE(SetTrailingBackslash(path, add), result);
    }
};

SKYLOOM_TEST_MAIN(TestTextHelpers, QCoreApplication)
#include "tst_text_helpers.moc"
