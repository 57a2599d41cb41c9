#include "SqlText.h"

#include <cstdarg>
#include <sqlite3.h>

namespace skyloom {

QByteArray SqlText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    char* text = sqlite3_vmprintf(format, args);
    va_end(args);
    const QByteArray result(text);
    sqlite3_free(text);
    return result;
}

} // namespace skyloom
