#include "CDLGAbout.h"

#include "CHtmlLabel.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace skyloom {

CDLGAbout::CDLGAbout(CAppSettings* settings, const VersionInfo& version, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(QStringLiteral("About Skyloom"));
    setAccessibleName(windowTitle());
    m_upper = new CHtmlLabel(this);
    m_upper->setObjectName(QStringLiteral("aboutText"));
    m_upper->SetTransparent(true);
    m_lower = new CHtmlLabel(this);
    m_lower->setObjectName(QStringLiteral("legalNotice"));
    m_lower->SetTransparent(true);
    // The labels' sizes follow the font: about 289 by 119 and 289 by 10 dialog units.
    const QFontMetrics metrics = fontMetrics();
    const int average = std::max(1, metrics.averageCharWidth());
    m_upper->setMinimumSize(289 * average / 4, 119 * metrics.height() / 8);
    m_lower->setMinimumSize(289 * average / 4, metrics.height() + 6);
    m_lower->setFocusPolicy(Qt::NoFocus);
    m_upper->SetHtml(UpperText(version));
    m_lower->SetHtml(LowerText(version));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_upper, 1);
    layout->addWidget(m_lower);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    ok->setFocus();
}

QString CDLGAbout::UpperText(const VersionInfo& v) {
    // The product name in the link colour and the subtitle in the text colour of the palette,
    // so that both read on a dark theme as well as on a light one.
    return QStringLiteral(
               "<font face=\"Verdana\" color=\"HotLight\" size=\"+15\"><center><b>Skyloom</font>"
               "</b></center><br><br><br><font face=\"Verdana\" color=\"WindowText\" "
               "size=\"+4\"><center><b>Desktop Wallpaper Changer</font></b></center><br><br>"
               "<font color=\"red\" size=\"+4\" face=\"Tahoma\"><center><b>Version %1.%2 Build "
               "(%3.%4)</b></center></font><br>")
        .arg(v.major)
        .arg(v.minor)
        .arg(v.build)
        .arg(v.revision);
}

QString CDLGAbout::LowerText(const VersionInfo& v) {
    return QStringLiteral("<center><a href=\"%1\"><u>%2</u></a></center>")
        .arg(QLatin1String(kWebSite), v.legalCopyright);
}

} // namespace skyloom
