// The program's message box driven through its objectNames: the button sets, Escape and the
// close button, the check boxes, the default button, Ctrl+C and the test answerer.

#include "TestMain.h"
#include "library/MessageReporter.h"
#include "ui/widgets/ExtMessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace skyloom;
using namespace skyloom::MessageStyle;

namespace {

QStringList Captions(const CExtMessageBox& box) {
    QStringList captions;
    for (const QPushButton* button : box.Buttons())
        captions << QString("%1=%2")
                        .arg(button->text())
                        .arg(button->objectName().mid(QStringLiteral("button").size()));
    return captions;
}

} // namespace

class TestExtMessageBox : public QObject {
    Q_OBJECT

private slots:
    void buttonSets_data() {
        QTest::addColumn<unsigned>("style");
        QTest::addColumn<QStringList>("buttons"); // caption=id, left to right
        QTest::newRow("0") << 0u << QStringList{"OK=1"};
        QTest::newRow("1") << 1u << QStringList{"OK=1", "Cancel=2"};
        QTest::newRow("2") << 2u << QStringList{"&Abort=3", "&Retry=4", "&Ignore=5"};
        QTest::newRow("3") << 3u << QStringList{"&Yes=6", "&No=7", "Cancel=2"};
        QTest::newRow("3, to all")
            << (3u | YesToAll | NoToAll)
            << QStringList{"&Yes=6", "Y&es to All=19", "&No=7", "N&o to All=20", "Cancel=2"};
        QTest::newRow("4") << 4u << QStringList{"&Yes=6", "&No=7"};
        QTest::newRow("4, no to all")
            << (4u | NoToAll) << QStringList{"&Yes=6", "&No=7", "N&o to All=20"};
        QTest::newRow("5") << 5u << QStringList{"&Retry=4", "Cancel=2"};
        QTest::newRow("6") << 6u << QStringList{"Cancel=2", "&Try Again=10", "&Continue=11"};
        QTest::newRow("7") << 7u << QStringList{"&Continue=11", "&Abort=3"};
        QTest::newRow("8") << 8u << QStringList{"&Skip=14", "S&kip All=15", "Cancel=2"};
        QTest::newRow("9") << 9u << QStringList{"&Ignore=5", "I&gnore All=16", "Cancel=2"};
        QTest::newRow("12 is OK") << 12u << QStringList{"OK=1"};
        QTest::newRow("to all only with Yes and No")
            << (1u | YesToAll) << QStringList{"OK=1", "Cancel=2"};
    }

    void buttonSets() {
        QFETCH(unsigned, style);
        QFETCH(QStringList, buttons);
        CExtMessageBox box("Skyloom", "Text", style);
        QCOMPARE(Captions(box), buttons);
        for (const QPushButton* button : box.Buttons())
            QVERIFY(!button->accessibleName().contains('&'));
    }

    void escapeAndClose_data() {
        QTest::addColumn<unsigned>("style");
        QTest::addColumn<int>("answer"); // 0: the box stays open
        QTest::newRow("OK alone") << (Ok | IconInformation) << 1;
        QTest::newRow("OK, Cancel") << OkCancel << 2;
        QTest::newRow("Abort, Retry, Ignore") << AbortRetryIgnore << 0;
        QTest::newRow("Yes, No, Cancel") << YesNoCancel << 2;
        QTest::newRow("Yes, No") << YesNo << 0;
        QTest::newRow("confirmation")
            << (YesNo | IconQuestion | DontAskAgain | NoResourceLookup) << 0;
        QTest::newRow("Continue, Abort") << ContinueAbort << 0;
        QTest::newRow("Skip, Skip All, Cancel") << SkipSkipAllCancel << 2;
        QTest::newRow("unknown set is OK") << 15u << 1;
    }

    void escapeAndClose() {
        QFETCH(unsigned, style);
        QFETCH(int, answer);
        for (const bool byEscape : {true, false}) {
            CExtMessageBox box("Skyloom", "Text", style);
            box.show();
            QVERIFY(QTest::qWaitForWindowExposed(&box));
            if (byEscape)
                QTest::keyClick(&box, Qt::Key_Escape);
            else
                box.close();
            QCOMPARE(box.isVisible(), answer == 0);
            QCOMPARE(bool(box.windowFlags() & Qt::WindowCloseButtonHint), answer != 0);
            if (answer)
                QCOMPARE(box.result(), answer);
        }
    }

    void checkBoxes_data() {
        QTest::addColumn<unsigned>("style");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bit");
        QTest::newRow("ask") << (YesNo | DontAskAgain) << "Don't ask me again" << (1 << 24);
        QTest::newRow("tell") << (Ok | DontTellAgain) << "Don't tell me again" << (1 << 25);
        QTest::newRow("show") << (Ok | DontShowAgain) << "Don't show again" << (1 << 26);
        QTest::newRow("ask wins") << (Ok | DontShowAgain | DontAskAgain) << "Don't ask me again"
                                  << (1 << 24);
    }

    void checkBoxes() {
        QFETCH(unsigned, style);
        QFETCH(QString, text);
        QFETCH(int, bit);
        for (const bool tick : {false, true}) {
            CExtMessageBox box("Skyloom", "Text", style);
            QVERIFY(box.CheckBox());
            QCOMPARE(box.CheckBox()->text(), text);
            QVERIFY(!box.CheckBox()->isChecked());
            if (tick)
                QTest::mouseClick(box.CheckBox(), Qt::LeftButton);
            box.Buttons().first()->click();
            QCOMPARE(box.Answer(),
                     box.Buttons().first()->objectName().mid(6).toInt() | (tick ? bit : 0));
        }
        QVERIFY(!CExtMessageBox("Skyloom", "Text", YesNo).CheckBox());
    }

    void confirmationTickedAndYes() {
        // How the exit and delete confirmations are asked, and what they get back.
        CExtMessageBox::AnswerNext([](CExtMessageBox& box) {
            box.CheckBox()->setChecked(true);
            box.Button(MessageResult::Yes)->click();
        });
        const int answer = ExtMessageBox("Skyloom - Desktop Wallpaper Changer", nullptr,
                                         "Are you sure you want to exit?",
                                         YesNo | IconQuestion | DontAskAgain | NoResourceLookup);
        QCOMPARE(answer & 0xFF, MessageResult::Yes);
        QVERIFY(answer & DontAskAgain);
        // A box its answerer leaves alone gets the cautious answer.
        CExtMessageBox::AnswerNext([](CExtMessageBox&) {});
        QCOMPARE(ExtMessageBox("Skyloom", nullptr, "Delete?", YesNo), MessageResult::No);
    }

    void anOwnerGoneWhileTheBoxRunsIsNoCrash() {
        auto* owner = new QWidget;
        owner->show();
        QTimer::singleShot(100, [owner] { delete owner; });
        QCOMPARE(ExtMessageBox("Skyloom", owner, "Delete?", YesNo), MessageResult::No);
    }

    void defaultButtonAndKeyboard_data() {
        QTest::addColumn<unsigned>("style");
        QTest::addColumn<int>("enterAnswers");
        QTest::newRow("first") << YesNo << 6;
        QTest::newRow("second") << (YesNo | (1u << DefaultButtonShift)) << 7;
        QTest::newRow("third of three") << (YesNoCancel | (2u << DefaultButtonShift)) << 2;
        QTest::newRow("beyond the buttons: first") << (YesNo | (5u << DefaultButtonShift)) << 6;
    }

    void defaultButtonAndKeyboard() {
        QFETCH(unsigned, style);
        QFETCH(int, enterAnswers);
        CExtMessageBox box("Skyloom", "Text", style);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QApplication::setActiveWindow(&box);
        QCOMPARE(QApplication::focusWidget(), box.Button(enterAnswers));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(box.Answer(), enterAnswers);
    }

    void ctrlCCopiesTheBox() {
        CExtMessageBox box("Skyloom", "Nothing to show.", Ok | IconInformation);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QApplication::setActiveWindow(&box);
        QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 "---------------------------\r\nSkyloom\r\n---------------------------\r\n"
                 "Nothing to show.\r\n---------------------------\r\nOK   \r\n"
                 "---------------------------\r\n");
        CExtMessageBox confirm("", "Go?", YesNo | DontAskAgain);
        QVERIFY(confirm.ClipboardText().contains("\r\nError\r\n"));
        QVERIFY(confirm.ClipboardText().contains("Yes   No   Don't ask me again   \r\n"));
    }

    void textIsPlainAndWrapped() {
        const QString text = "<b>not bold</b> " + QString("word ").repeated(400);
        CExtMessageBox box("Skyloom", text, Ok | IconExclamation);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        auto* label = box.findChild<QLabel*>("messageText");
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QVERIFY(box.width() <= box.screen()->availableGeometry().width() / 2 + 60);
    }
};

SKYLOOM_TEST_MAIN(TestExtMessageBox, QApplication)
#include "tst_ext_message_box.moc"
