#include "WebLinks.h"

#include <QDesktopServices>

namespace skyloom::WebLinks {
namespace {

Opener& CurrentOpener() {
    static Opener opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return opener;
}

} // namespace

void SetOpener(Opener opener) {
    CurrentOpener() = std::move(opener);
}

bool Open(const QString& address) {
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    const bool web = scheme == u"http" || scheme == u"https";
    if (!url.isValid() || !(web || scheme == u"mailto") || (web && url.host().isEmpty()))
        return false;
    return CurrentOpener()(url);
}

} // namespace skyloom::WebLinks
