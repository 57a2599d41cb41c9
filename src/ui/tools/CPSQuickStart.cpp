#include "CPSQuickStart.h"

#include "CPPQSFinish.h"
#include "CPPQSScanner.h"
#include "CPPQSShortcuts.h"
#include "ui/widgets/Artwork.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace skyloom {
namespace {

// A picture drawn from SVG at the size and pixel ratio it is shown, centred in its space.
class CXPictureST final : public QWidget {
public:
    CXPictureST(const QString& path, const QSize& size, QWidget* parent)
        : QWidget(parent), m_path(path), m_size(size) {
        setMinimumSize(size);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const qreal ratio = devicePixelRatioF();
        if (m_picture.isNull() || m_ratio != ratio) {
            m_picture = Artwork::Render(m_path, m_size, ratio);
            m_ratio = ratio;
        }
        painter.drawImage(QPoint((width() - m_size.width()) / 2, (height() - m_size.height()) / 2),
                          m_picture);
    }

private:
    QString m_path;
    QSize m_size;
    QImage m_picture;
    qreal m_ratio = 0;
};

// The welcome page: what the wizard does and where to find it again.
class CPPQSInstructions final : public QWizardPage {
public:
    explicit CPPQSInstructions(QWidget* parent) : QWizardPage(parent) {
        setObjectName(QStringLiteral("instructionsPage"));
        setTitle(QStringLiteral("Instructions"));
        auto* welcome = new QLabel(
            QStringLiteral("Welcome!  This QuickStart Wizard will help you to quickly locate "
                           "photos and folders (in 3 easy steps) which Skyloom needs when "
                           "rendering your desktop wallpaper photos.\nClick on the 'Next' button "
                           "to get started."),
            this);
        welcome->setObjectName(QStringLiteral("welcomeLabel"));
        auto* access = new QLabel(
            QStringLiteral("You can access the QuickStart Wizard by right-clicking the page "
                           "icons on the left of Skyloom's window or from the QuickStart Wizard "
                           "button (Photo Folder Shortcuts page)."),
            this);
        access->setObjectName(QStringLiteral("accessLabel"));
        for (QLabel* label : {welcome, access}) {
            label->setWordWrap(true);
            label->setTextFormat(Qt::PlainText);
        }
        auto* picture = new CXPictureST(Artwork::Picture(QStringLiteral("page_bar_menu")),
                                        QSize(240, 150), this);
        picture->setObjectName(QStringLiteral("menuPicture"));
        picture->setAccessibleName(QStringLiteral("The page bar's menu with its QuickStart "
                                                  "Wizard entry"));
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(welcome);
        layout->addWidget(access);
        layout->addWidget(picture, 1);
    }
};

const char* const kCaptions[] = {"Instructions - Skyloom QuickStart Wizard",
                                 "Step #1 - Search for Photos - Skyloom QuickStart Wizard",
                                 "Step #2 - Choose Photo Folders - Skyloom QuickStart Wizard",
                                 "Final Step - Save New Shortcuts - Skyloom QuickStart Wizard"};

} // namespace

CPSQuickStart::CPSQuickStart(CAppSettings* settings, QWidget* parent)
    : QWizard(parent), m_settings(settings) {
    setObjectName(QStringLiteral("quickStartWizard"));
    setWindowTitle(QStringLiteral("Skyloom QuickStart Wizard"));
    setWizardStyle(QWizard::ClassicStyle);
    setOptions(QWizard::NoBackButtonOnStartPage);
    setButtonText(QWizard::CancelButton, QStringLiteral("Skip"));
    // The search page commits, but its button is still the Next button to the user.
    setButtonText(QWizard::CommitButton, buttonText(QWizard::NextButton));
    const struct {
        WizardButton which;
        const char* name;
        const char* accessible;
    } buttons[] = {{BackButton, "backButton", "Back"},
                   {NextButton, "nextButton", "Next"},
                   {CommitButton, "commitButton", "Next"},
                   {FinishButton, "finishButton", "Finish"},
                   {CancelButton, "skipButton", "Skip"}};
    for (const auto& b : buttons) {
        button(b.which)->setObjectName(QLatin1String(b.name));
        button(b.which)->setAccessibleName(QLatin1String(b.accessible));
    }

    setPage(InstructionsPage, new CPPQSInstructions(this));
    m_scanner = new CPPQSScanner(this);
    setPage(ScannerPage, m_scanner);
    m_choice = new CPPQSShortcuts(this);
    setPage(ShortcutsPage, m_choice);
    m_finish = new CPPQSFinish(this);
    setPage(FinishPage, m_finish);
    setStartId(InstructionsPage);
    connect(this, &QWizard::currentIdChanged, this, [this](int id) {
        if (id >= 0 && id < int(std::size(kCaptions)))
            setWindowTitle(QLatin1String(kCaptions[id]));
    });
    resize(620, 480);
}

const FolderCandidates& CPSQuickStart::Found() const {
    return m_scanner->Found();
}

const FolderCandidates& CPSQuickStart::Picked() const {
    return m_choice->Picked();
}

int CPSQuickStart::ChosenCategoryId() const {
    return m_finish->ChosenCategoryId();
}

bool CPSQuickStart::QueueAndStart() const {
    return m_finish->QueueAndStart();
}

void CPSQuickStart::EnableButtons(bool enable) {
    for (WizardButton which : {BackButton, NextButton, CommitButton, FinishButton, CancelButton})
        button(which)->setEnabled(enable);
}

void CPSQuickStart::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        // Escape is Skip, and like Skip it waits while a search or the save runs.
        if (button(CancelButton)->isEnabled())
            reject();
        event->accept();
        return;
    }
    QWizard::keyPressEvent(event);
}

void CPSQuickStart::closeEvent(QCloseEvent* event) {
    // The close box and the window manager's close do nothing: Skip or Finish end the wizard.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    QWizard::closeEvent(event);
}

} // namespace skyloom
