// Pattern texts for the chosen photo formats and the plain-text extension test.

#include "TestMain.h"
#include "library/PhotoPatterns.h"

class TestPhotoPatterns : public QObject {
    Q_OBJECT

private slots:
    void buildPatterns_data() {
        QTest::addColumn<int>("formats"); // bits: 1 JPEG, 2 BMP, 4 PNG, 8 TIFF
        QTest::addColumn<QString>("text");
        QTest::newRow("all four") << 15 << "*.jpg;*.jpeg;*.bmp;*.png;*.tif;*.tiff;";
        QTest::newRow("none") << 0 << "";
        QTest::newRow("JPEG and TIFF") << 9 << "*.jpg;*.jpeg;*.tif;*.tiff;";
        QTest::newRow("PNG") << 4 << "*.png;";
    }

    void buildPatterns() {
        QFETCH(int, formats);
        QFETCH(QString, text);
        QCOMPARE(skyloom::BuildPatterns(formats & 1, formats & 2, formats & 4, formats & 8), text);
    }

    void matches_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("patterns");
        QTest::addColumn<bool>("match");
        const QString jpeg = "*.jpg;*.jpeg;";
        QTest::newRow("upper-case extension") << "Photo.JPG" << jpeg << true;
        QTest::newRow(".jpeg") << "photo.jpeg" << jpeg << true;
        QTest::newRow(".jpeg needs its own pattern") << "photo.jpeg"
                                                     << "*.jpg;" << false;
        QTest::newRow("part of an extension") << "photo.jp" << jpeg << true;
        QTest::newRow("other format") << "photo.gif" << jpeg << false;
        QTest::newRow("no extension") << "photo" << jpeg << false;
        QTest::newRow("dot at the end") << "photo." << jpeg << false;
        QTest::newRow("last dot counts") << "archive.jpg.gz" << jpeg << false;
    }

    void matches() {
        QFETCH(QString, name);
        QFETCH(QString, patterns);
        QFETCH(bool, match);
        QCOMPARE(skyloom::MatchesPhotoPatterns(name, patterns), match);
    }
};

SKYLOOM_TEST_MAIN(TestPhotoPatterns, QCoreApplication)
#include "tst_photo_patterns.moc"
