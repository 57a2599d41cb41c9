// Settings colours (red in the low byte) turned into opaque ARGB pixels.

#include "TestMain.h"
#include "composer/Colours.h"

class TestColours : public QObject {
    Q_OBJECT

private slots:
    void colorrefToArgb_data() {
        QTest::addColumn<quint32>("colorref");
        QTest::addColumn<quint32>("argb");
        QTest::newRow("pure red") << 0x000000FFu << 0xFFFF0000u;
        QTest::newRow("pure green") << 0x0000FF00u << 0xFF00FF00u;
        QTest::newRow("pure blue") << 0x00FF0000u << 0xFF0000FFu;
        QTest::newRow("black is opaque") << 0u << 0xFF000000u;
        QTest::newRow("high byte ignored") << 0xAB123456u << 0xFF563412u;
    }

    void colorrefToArgb() {
        QFETCH(quint32, colorref);
        QFETCH(quint32, argb);
        QCOMPARE(skyloom::ColorrefToArgb(colorref), argb);
    }
};

SKYLOOM_TEST_MAIN(TestColours, QCoreApplication)
#include "tst_colours.moc"
