#pragma once

#include <QByteArray>

namespace skyloom {

// Formats an SQL text the way sqlite3_mprintf does ("%s" inserts text as it stands, "%d" an
// int). Text arguments are UTF-8. Substituted text is never scanned again, so a "%" inside a
// name stays a "%".
QByteArray SqlText(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace skyloom
