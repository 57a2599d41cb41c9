#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace skyloom::WebLinks {

// Hands an address to the desktop's programs (the web browser, the mail program); tests
// replace it with one that records. Returns whether the address was handed on.
using Opener = std::function<bool(const QUrl&)>;
void SetOpener(Opener opener);

// Opens http, https and mailto addresses and refuses anything else (files, programs,
// commands), so that no text of the program can start a command.
bool Open(const QString& address);

} // namespace skyloom::WebLinks
