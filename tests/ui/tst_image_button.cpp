// The picture button over real SVG files: its looks against the colour matrices, the parent's
// background through its transparent parts, check mode and the keyboard.

#include "TestFiles.h"
#include "TestMain.h"
#include "ui/widgets/CImageButton.h"

#include <QApplication>
#include <QSignalSpy>

using namespace skyloom;
using Look = CImageButton::Look;

namespace {

// A square of one colour, with a transparent frame of a quarter of its size around it.
QByteArray Square(const char* colour) {
    return QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"40\">"
                      "<rect x=\"10\" y=\"10\" width=\"20\" height=\"20\" fill=\"") +
           colour + "\"/></svg>";
}

} // namespace

class TestImageButton : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_normal, m_checked;

private slots:
    void initTestCase() {
        m_normal = m_dir.filePath("normal.svg");
        m_checked = m_dir.filePath("checked.svg");
        QVERIFY(test::WriteFile(m_normal, Square("rgb(100,150,200)")));
        QVERIFY(test::WriteFile(m_checked, Square("rgb(20,40,60)")));
    }

    void looks_data() {
        QTest::addColumn<int>("look");
        QTest::addColumn<QColor>("centre");
        QTest::newRow("normal") << int(Look::Normal) << QColor(100, 150, 200);
        // 1.05 c + 0.05 of full scale
        QTest::newRow("hot") << int(Look::Hot) << QColor(118, 170, 223);
        // 0.3 r + 0.59 g + 0.11 b in every channel
        QTest::newRow("disabled") << int(Look::Disabled) << QColor(140, 140, 140);
        QTest::newRow("checked") << int(Look::Checked) << QColor(20, 40, 60);
        QTest::newRow("checked hot") << int(Look::CheckedHot) << QColor(34, 55, 76);
        QTest::newRow("checked pressed") << int(Look::CheckedPressed) << QColor(20, 40, 60);
    }

    void looks() {
        QFETCH(int, look);
        QFETCH(QColor, centre);
        for (const qreal ratio : {1.0, 2.0}) {
            CImageButton button;
            button.SetPictures(m_normal, m_checked);
            button.resize(40, 40);
            const QImage image = button.RenderLook(Look(look), ratio);
            QCOMPARE(image.size(), QSize(40, 40) * ratio);
            const QColor got = image.pixelColor(image.width() / 2, image.height() / 2);
            QVERIFY2(std::abs(got.red() - centre.red()) <= 1 &&
                         std::abs(got.green() - centre.green()) <= 1 &&
                         std::abs(got.blue() - centre.blue()) <= 1,
                     qPrintable(got.name()));
            QCOMPARE(image.pixelColor(2, 2).alpha(), 0); // the frame stays transparent
        }
    }

    void pressedMovesThePictureOnePixel() {
        CImageButton button;
        button.SetPictures(m_normal);
        button.resize(40, 40);
        const QImage normal = button.RenderLook(Look::Normal, 1.0);
        const QImage pressed = button.RenderLook(Look::Pressed, 1.0);
        QCOMPARE(normal.pixelColor(10, 10).alpha(), 255);
        QCOMPARE(pressed.pixelColor(10, 10).alpha(), 0);
        QCOMPARE(pressed.pixelColor(11, 11), normal.pixelColor(10, 10));
    }

    void theParentShowsThroughInEveryLook() {
        QWidget parent;
        parent.setAutoFillBackground(true);
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, QColor(255, 0, 0));
        parent.setPalette(palette);
        auto* button = new CImageButton(&parent);
        button->SetPictures(m_normal, m_checked);
        button->setGeometry(0, 0, 40, 40);
        button->SetCheckMode(true);
        parent.resize(60, 60);
        for (const bool checked : {false, true})
            for (const bool enabled : {true, false}) {
                button->setChecked(checked);
                button->setEnabled(enabled);
                const QImage shot = parent.grab().toImage();
                QCOMPARE(shot.pixelColor(3, 3), QColor(255, 0, 0));
                QVERIFY(shot.pixelColor(20, 20) != QColor(255, 0, 0));
            }
        CImageButton empty;
        empty.resize(20, 20);
        QVERIFY(empty.RenderLook(Look::Normal, 1.0).isNull()); // nothing of its own
    }

    void checkModeFlipsOncePerClick() {
        CImageButton button;
        button.SetPictures(m_normal, m_checked);
        button.SetCheckMode(true);
        button.resize(40, 40);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QTest::mousePress(&button, Qt::LeftButton);
        for (int i = 0; i < 5; ++i)
            button.repaint(); // held down: repaints change nothing
        QVERIFY(!button.isChecked());
        QCOMPARE(button.CurrentLook(), Look::Pressed);
        QTest::mouseRelease(&button, Qt::LeftButton);
        QVERIFY(button.isChecked());
        QTest::mouseClick(&button, Qt::LeftButton);
        QVERIFY(!button.isChecked());
        button.SetDisabledLook(true);
        QCOMPARE(button.CurrentLook(), Look::Disabled);
    }

    void keyboardAndNames() {
        QWidget window;
        auto* button = new CImageButton(&window);
        button->SetPictures(m_normal);
        button->SetTooltip("Select Background Image");
        QCOMPARE(button->toolTip(), "Select Background Image");
        QCOMPARE(button->accessibleName(), "Select Background Image");
        button->SetTooltip(QString()); // tooltips off
        QVERIFY(button->toolTip().isEmpty());
        QCOMPARE(button->accessibleName(), "Select Background Image"); // still named
        button->setAccessibleName("Browse");
        button->SetTooltip("Select Background Image", false);
        QVERIFY(button->toolTip().isEmpty());
        QCOMPARE(button->accessibleName(), "Browse"); // a name of its own stays
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        button->setFocus();
        QSignalSpy clicked(button, &CImageButton::clicked);
        QTest::keyClick(button, Qt::Key_Space);
        QTest::keyClick(button, Qt::Key_Return);
        QTRY_COMPARE(clicked.count(), 2);
    }
};

SKYLOOM_TEST_MAIN(TestImageButton, QApplication)
#include "tst_image_button.moc"
