#include "CDLGGettingStarted.h"

#include "Artwork.h"
#include "WebLinks.h"

#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace skyloom {

CDLGGettingStarted::CDLGGettingStarted(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("gettingStartedBox"));
    setWindowTitle(QStringLiteral("Instructions - Getting Started with Skyloom"));
    setAccessibleName(windowTitle());
    m_page = new QTextBrowser(this);
    m_page->setObjectName(QStringLiteral("gettingStartedPage"));
    m_page->setAccessibleName(QStringLiteral("Getting started"));
    // Links go to the web browser, never into the box, and only web addresses go at all.
    m_page->setOpenLinks(false);
    connect(m_page, &QTextBrowser::anchorClicked, this,
            [](const QUrl& url) { WebLinks::Open(url.toString()); });
    // The pictures are drawn for the screen's pixel ratio, so that they are sharp at 2x.
    const qreal ratio = devicePixelRatioF() > 1 ? devicePixelRatioF() : 2.0;
    for (const char* name : {"new_shortcut", "shortcut_builder", "drag_drop"})
        m_page->document()->addResource(
            QTextDocument::ImageResource, QUrl(QStringLiteral("picture:%1").arg(name)),
            Artwork::Render(Artwork::Picture(QLatin1String(name)), QSize(48, 48), ratio));
    QFile page(QStringLiteral(":/skyloom/getting_started.html"));
    if (page.open(QIODevice::ReadOnly))
        m_page->setHtml(QString::fromUtf8(page.readAll()));

    auto* next = new QPushButton(QStringLiteral("Continue"), this);
    next->setObjectName(QStringLiteral("continueButton"));
    next->setAccessibleName(QStringLiteral("Continue"));
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_page, 1);
    layout->addWidget(next, 0, Qt::AlignHCenter);
    // About 401 by 246 dialog units.
    const QFontMetrics metrics = fontMetrics();
    resize(401 * std::max(1, metrics.averageCharWidth()) / 4, 246 * metrics.height() / 8);
    next->setFocus();
}

} // namespace skyloom
