// The About and Getting Started boxes, and the contact sheet of the artwork and the boxes,
// saved at 1x and 2x in light and dark palettes under the build folder's artwork/ to be looked
// at.

#include "Screenshots.h"
#include "TestMain.h"
#include "library/MessageReporter.h"
#include "ui/widgets/Artwork.h"
#include "ui/widgets/CDLGAbout.h"
#include "ui/widgets/CDLGGettingStarted.h"
#include "ui/widgets/CHtmlLabel.h"
#include "ui/widgets/CImageButton.h"
#include "ui/widgets/ExtMessageBox.h"
#include "ui/widgets/WebLinks.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTextBrowser>

using namespace skyloom;

namespace {

using test::DarkPalette;

QString SheetFolder() {
    const QString folder = QCoreApplication::applicationDirPath() + "/../artwork";
    QDir().mkpath(folder);
    return folder;
}

// Every widget drawn at the pixel ratio, side by side.
QImage Row(const QList<QWidget*>& widgets, qreal ratio, const QColor& ground) {
    QList<QImage> shots;
    QSize size;
    for (QWidget* w : widgets) {
        QImage shot(w->size() * ratio, QImage::Format_ARGB32_Premultiplied);
        shot.setDevicePixelRatio(ratio);
        shot.fill(ground);
        w->render(&shot, QPoint(), QRegion(),
                  QWidget::DrawChildren | QWidget::DrawWindowBackground);
        shots << shot;
        size = QSize(size.width() + shot.width() + 16, std::max(size.height(), shot.height()));
    }
    QImage row(size, QImage::Format_ARGB32_Premultiplied);
    row.fill(ground);
    QPainter painter(&row);
    int x = 0;
    for (QImage& shot : shots) {
        shot.setDevicePixelRatio(1);
        painter.drawImage(x, 0, shot);
        x += shot.width() + 16;
    }
    return row;
}

QImage Stack(const QList<QImage>& rows, const QColor& ground) {
    QSize size;
    for (const QImage& r : rows)
        size = QSize(std::max(size.width(), r.width()), size.height() + r.height() + 16);
    QImage sheet(size + QSize(32, 32), QImage::Format_ARGB32_Premultiplied);
    sheet.fill(ground);
    QPainter painter(&sheet);
    int y = 16;
    for (const QImage& r : rows) {
        painter.drawImage(16, y, r);
        y += r.height() + 16;
    }
    return sheet;
}

} // namespace

class TestInfoBoxes : public QObject {
    Q_OBJECT

private slots:
    void aboutShowsTheVersionAndTheLegalNotice() {
        const VersionInfo version{1, 0, 9300, 74, "Copyright (C) 2026 Kestrelworks"};
        CDLGAbout about(nullptr, version);
        QCOMPARE(about.windowTitle(), "About Skyloom");
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        auto* upper = about.findChild<CHtmlLabel*>("aboutText");
        auto* lower = about.findChild<CHtmlLabel*>("legalNotice");
        upper->Drawing();
        lower->Drawing();
        QStringList upperText;
        for (const auto& piece : upper->Pieces())
            upperText << piece.text.trimmed();
        QVERIFY2(upperText.join(' ').contains("Version 1.0 Build (9300.74)"),
                 qPrintable(upperText.join(' ')));
        QString legal;
        for (const auto& piece : lower->Pieces()) {
            legal += piece.text;
            QVERIFY(piece.font.underline());
        }
        QCOMPARE(legal, "Copyright (C) 2026 Kestrelworks");
        QCOMPARE(lower->Links().front().target, QString(CDLGAbout::kWebSite));
        QTest::mouseClick(about.findChild<QPushButton*>("okButton"), Qt::LeftButton);
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

    void gettingStartedOpensLinksOutside() {
        QList<QUrl> opened;
        WebLinks::SetOpener([&](const QUrl& url) {
            opened << url;
            return true;
        });
        CDLGGettingStarted box;
        QCOMPARE(box.windowTitle(), "Instructions - Getting Started with Skyloom");
        QTextBrowser* page = box.Page();
        QVERIFY(page->toPlainText().contains("The 3 ways to create Shortcuts are:"));
        QVERIFY(page->toPlainText().contains("QuickStart Guide"));
        for (const char* picture : {"new_shortcut", "shortcut_builder", "drag_drop"})
            QVERIFY(
                !page->document()
                     ->resource(QTextDocument::ImageResource, QUrl(QString("picture:") + picture))
                     .value<QImage>()
                     .isNull());
        emit page->anchorClicked(QUrl("https://www.kestrelworks.example/skyloom/help/quickstart"));
        QCOMPARE(opened.size(), 1);
        QVERIFY(!page->toPlainText().isEmpty()); // the box still shows its own page
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(box.result(), int(QDialog::Accepted));
        WebLinks::SetOpener([](const QUrl&) { return false; });
    }

    void contactSheet_data() { test::AddScreenshotRows(); }

    void contactSheet() {
        QFETCH(bool, dark);
        QFETCH(qreal, ratio);
        const QPalette palette = dark ? DarkPalette() : QApplication::style()->standardPalette();
        QApplication::setPalette(palette);
        const QColor ground = palette.color(QPalette::Window);
        QList<QImage> rows;

        // Every picture at the sizes it is shown at.
        QStringList paths;
        QDirIterator it(":/skyloom", {"*.svg"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            paths << it.next();
        paths.sort();
        QVERIFY(paths.size() >= 24);
        for (const int size : {16, 24, 32, 48}) {
            QImage row(QSize((size + 8) * paths.size(), size) * ratio,
                       QImage::Format_ARGB32_Premultiplied);
            row.fill(ground);
            QPainter painter(&row);
            for (int i = 0; i < paths.size(); ++i) {
                const QImage picture = Artwork::Render(paths[i], QSize(size, size), ratio);
                QVERIFY2(!picture.isNull(), qPrintable(paths[i]));
                QImage plain = picture;
                plain.setDevicePixelRatio(1);
                painter.drawImage(int(i * (size + 8) * ratio), 0, plain);
            }
            rows << row;
        }

        // The button pictures in their looks: normal, hot, pressed, disabled.
        QWidget holder;
        QList<QWidget*> buttons;
        for (const char* name :
             {"browse", "categories", "delete", "edit", "new", "builder", "refresh", "wizard",
              "first", "previous", "next", "last", "tools", "find"}) {
            auto* button = new CImageButton(&holder);
            button->SetPictures(Artwork::ButtonPicture(name));
            button->resize(28, 28);
            buttons << button;
        }
        for (const auto look : {CImageButton::Look::Normal, CImageButton::Look::Hot,
                                CImageButton::Look::Pressed, CImageButton::Look::Disabled}) {
            QImage row(QSize(36 * int(buttons.size()), 28) * ratio,
                       QImage::Format_ARGB32_Premultiplied);
            row.fill(ground);
            QPainter painter(&row);
            for (int i = 0; i < buttons.size(); ++i) {
                QImage image = static_cast<CImageButton*>(buttons[i])->RenderLook(look, ratio);
                image.setDevicePixelRatio(1);
                painter.drawImage(int(i * 36 * ratio), 0, image);
            }
            rows << row;
        }

        // The boxes.
        CExtMessageBox confirm("Skyloom - Desktop Wallpaper Changer",
                               "Are you sure you want to exit?",
                               MessageStyle::YesNo | MessageStyle::IconQuestion |
                                   MessageStyle::DontAskAgain | MessageStyle::NoResourceLookup);
        CExtMessageBox info("Skyloom", "3 Shortcuts were created.\nNothing was skipped.",
                            MessageStyle::Ok | MessageStyle::IconInformation);
        CExtMessageBox skip("Skyloom", "The folder cannot be read.",
                            MessageStyle::SkipSkipAllCancel | MessageStyle::IconExclamation);
        for (QWidget* box : {static_cast<QWidget*>(&confirm), static_cast<QWidget*>(&info),
                             static_cast<QWidget*>(&skip)})
            box->adjustSize();
        rows << Row({&confirm, &info, &skip}, ratio, ground);
        CDLGAbout about(nullptr, {1, 0, 0, 1, "Copyright (C) 2026 Kestrelworks"});
        about.adjustSize();
        CDLGGettingStarted started;
        rows << Row({&about, &started}, ratio, ground);

        const QImage sheet = Stack(rows, ground);
        const QString file = QString("%1/contact-sheet-%2-%3x.png")
                                 .arg(SheetFolder(), dark ? "dark" : "light")
                                 .arg(int(ratio));
        QVERIFY(sheet.save(file));
        QApplication::setPalette(QApplication::style()->standardPalette());
    }
};

SKYLOOM_TEST_MAIN(TestInfoBoxes, QApplication)
#include "tst_info_boxes.moc"
