#include "ExtMessageBox.h"

#include "library/MessageButtons.h"
#include "library/MessageReporter.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

#include <deque>

namespace skyloom {
namespace {

const QString kHyphenLine = QStringLiteral("---------------------------\r\n");

std::deque<std::function<void(CExtMessageBox&)>>& Answerers() {
    static std::deque<std::function<void(CExtMessageBox&)>> answerers;
    return answerers;
}

std::optional<QStyle::StandardPixmap> IconOf(unsigned style) {
    switch (style & MessageStyle::IconMask) {
    case MessageStyle::IconStop:
        return QStyle::SP_MessageBoxCritical;
    case MessageStyle::IconQuestion:
        return QStyle::SP_MessageBoxQuestion;
    case MessageStyle::IconExclamation:
        return QStyle::SP_MessageBoxWarning;
    case MessageStyle::IconInformation:
        return QStyle::SP_MessageBoxInformation;
    default:
        return std::nullopt;
    }
}

QString WithoutMnemonic(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

} // namespace

CExtMessageBox::CExtMessageBox(const QString& caption, const QString& text, unsigned style,
                               QWidget* owner)
    : QDialog(owner), m_caption(caption.isEmpty() ? QStringLiteral("Error") : caption),
      m_text(text), m_style(style) {
    setObjectName(QStringLiteral("extMessageBox"));
    setWindowTitle(m_caption);
    setAccessibleName(m_caption);
    setModal(true);
    const std::optional<int> escape = MessageEscapeAnswer(style);
    m_answer = MessageCautiousAnswer(style);
    // Without an answer for Escape the title bar offers no close button either.
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (escape)
        flags |= Qt::WindowCloseButtonHint;
    setWindowFlags(flags);

    // The message area: icon and text on the window colour.
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("messageArea"));
    area->setAutoFillBackground(true);
    area->setBackgroundRole(QPalette::Base);
    area->setForegroundRole(QPalette::Text);
    auto* areaLayout = new QHBoxLayout(area);
    // The text 32 pixels from the top (an icon 24), the buttons 14 below the lower of the two.
    areaLayout->setContentsMargins(16, 32, 16, 4);
    areaLayout->setSpacing(0);
    int iconWidth = 0;
    if (const std::optional<QStyle::StandardPixmap> icon = IconOf(style)) {
        const int size = this->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        auto* iconLabel = new QLabel(area);
        iconLabel->setObjectName(QStringLiteral("messageIcon"));
        // Drawn for the screen's pixel ratio, so that it is sharp at 2x.
        const qreal ratio = owner ? owner->devicePixelRatioF() : qApp->devicePixelRatio();
        iconLabel->setPixmap(
            this->style()->standardIcon(*icon, nullptr, this).pixmap(QSize(size, size), ratio));
        iconLabel->setAlignment(Qt::AlignTop);
        areaLayout->addSpacing(8);
        areaLayout->addWidget(iconLabel, 0, Qt::AlignTop);
        areaLayout->addSpacing(16);
        areaLayout->setContentsMargins(16, 24, 16, 4);
        iconWidth = size + 16;
    }
    auto* textLabel = new QLabel(text, area);
    textLabel->setObjectName(QStringLiteral("messageText"));
    textLabel->setAccessibleName(text);
    textLabel->setTextFormat(Qt::PlainText);
    textLabel->setWordWrap(true);
    textLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    textLabel->setForegroundRole(QPalette::Text);
    // Wrapped at half the screen's width, less the icon.
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    const int wrapWidth = std::max(120, screenWidth / 2 - 10 - iconWidth);
    const QRect needed = textLabel->fontMetrics().boundingRect(
        QRect(0, 0, wrapWidth, 1 << 20), Qt::TextWordWrap | Qt::TextExpandTabs, text);
    textLabel->setMinimumWidth(std::min(wrapWidth, needed.width() + 2));
    textLabel->setMaximumWidth(wrapWidth);
    if (iconWidth)
        textLabel->setContentsMargins(0, 8, 0, 0);
    areaLayout->addWidget(textLabel, 1, Qt::AlignTop);
    if (text.isEmpty() && !iconWidth)
        areaLayout->setContentsMargins(16, 5, 16, 0);

    // The button band, on the dialog's own colour.
    auto* band = new QVBoxLayout;
    band->setContentsMargins(16, 10, 16, 10);
    band->setSpacing(12);
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addStretch(1);
    const QFontMetrics metrics = fontMetrics();
    const int minimumWidth = metrics.averageCharWidth() * 44 / 4;
    const int height = std::max(metrics.height() * 13 / 8, 23);
    const std::vector<MessageButton> buttons = MessageButtons(style);
    for (const MessageButton& b : buttons) {
        auto* button = new QPushButton(b.caption, this);
        button->setObjectName(QStringLiteral("button%1").arg(b.id));
        button->setAccessibleName(WithoutMnemonic(b.caption));
        button->setMinimumSize(
            std::max(minimumWidth, metrics.horizontalAdvance(WithoutMnemonic(b.caption)) + 20),
            height);
        connect(button, &QPushButton::clicked, this, [this, id = b.id] { Finish(id); });
        row->addWidget(button);
        m_buttons << button;
    }
    band->addLayout(row);
    if (const QString check = MessageCheckBoxText(style); !check.isEmpty()) {
        m_checkBox = new QCheckBox(check, this);
        m_checkBox->setObjectName(QStringLiteral("checkBox"));
        m_checkBox->setAccessibleName(check);
        auto* checkRow = new QHBoxLayout;
        checkRow->addSpacing(1); // 17 pixels from the left edge
        checkRow->addWidget(m_checkBox);
        checkRow->addStretch(1);
        band->addLayout(checkRow);
    }
    // The default button: its position in the set, the first when there is no such button.
    std::size_t index =
        (style & MessageStyle::DefaultButtonMask) >> MessageStyle::DefaultButtonShift;
    if (index >= std::size_t(m_buttons.size()))
        index = 0;
    QPushButton* const defaultButton = m_buttons[qsizetype(index)];
    defaultButton->setDefault(true);
    defaultButton->setFocus();
    QWidget* previous = defaultButton;
    for (QPushButton* button : m_buttons) // Tab goes left to right from the default
        if (button != defaultButton)
            setTabOrder(previous, button), previous = button;
    if (m_checkBox)
        setTabOrder(previous, m_checkBox);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(area, 1);
    layout->addLayout(band);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumHeight(70);

    auto* copy = new QShortcut(QKeySequence::Copy, this);
    connect(copy, &QShortcut::activated, this,
            [this] { QGuiApplication::clipboard()->setText(ClipboardText()); });
}

QString CExtMessageBox::ClipboardText() const {
    QString buttons;
    for (const QPushButton* button : m_buttons)
        buttons += WithoutMnemonic(button->text()) + QStringLiteral("   ");
    if (m_checkBox)
        buttons += WithoutMnemonic(m_checkBox->text()) + QStringLiteral("   ");
    return kHyphenLine + m_caption + QStringLiteral("\r\n") + kHyphenLine + m_text +
           QStringLiteral("\r\n") + kHyphenLine + buttons + QStringLiteral("\r\n") + kHyphenLine;
}

QPushButton* CExtMessageBox::Button(int id) const {
    return findChild<QPushButton*>(QStringLiteral("button%1").arg(id));
}

void CExtMessageBox::reject() {
    Finish(MessageEscapeAnswer(m_style).value_or(MessageCautiousAnswer(m_style)));
}

void CExtMessageBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (const std::optional<int> escape = MessageEscapeAnswer(m_style))
            Finish(*escape);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CExtMessageBox::closeEvent(QCloseEvent* event) {
    if (const std::optional<int> escape = MessageEscapeAnswer(m_style)) {
        Finish(*escape);
        event->accept();
    } else {
        event->ignore();
    }
}

void CExtMessageBox::Finish(int id) {
    m_answer = id;
    if (m_checkBox && m_checkBox->isChecked())
        m_answer |= int(MessageCheckBoxBit(m_style));
    done(m_answer);
}

void CExtMessageBox::AnswerNext(std::function<void(CExtMessageBox&)> answerer) {
    Answerers().push_back(std::move(answerer));
}

std::function<void(CExtMessageBox&)> CExtMessageBox::TakeAnswerer() {
    if (Answerers().empty())
        return {};
    auto answerer = std::move(Answerers().front());
    Answerers().pop_front();
    return answerer;
}

int ExtMessageBox(const QString& caption, QWidget* owner, const QString& text, unsigned style) {
    if (!owner)
        owner = QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                  : QApplication::activeWindow();
    // Held by a guarded pointer: an owner that goes away while the box runs takes the box with
    // it, and the box then answers cautiously.
    QPointer<CExtMessageBox> box = new CExtMessageBox(caption, text, style, owner);
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    if (const auto answerer = CExtMessageBox::TakeAnswerer())
        answerer(*box);
    else
        box->exec();
    if (!box)
        return MessageCautiousAnswer(style);
    const int answer = box->Answer();
    delete box;
    return answer;
}

} // namespace skyloom
