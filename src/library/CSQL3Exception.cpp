#include "CSQL3Exception.h"

namespace skyloom {

const char* SqlErrorName(int code) {
    static const char* const kNames[] = {
        "SQLITE_OK",       "SQLITE_ERROR",     "SQLITE_INTERNAL", "SQLITE_PERM",
        "SQLITE_ABORT",    "SQLITE_BUSY",      "SQLITE_LOCKED",   "SQLITE_NOMEM",
        "SQLITE_READONLY", "SQLITE_INTERRUPT", "SQLITE_IOERR",    "SQLITE_CORRUPT",
        "SQLITE_NOTFOUND", "SQLITE_FULL",      "SQLITE_CANTOPEN", "SQLITE_PROTOCOL",
        "SQLITE_EMPTY",    "SQLITE_SCHEMA",    "SQLITE_TOOBIG",   "SQLITE_CONSTRAINT",
        "SQLITE_MISMATCH", "SQLITE_MISUSE",    "SQLITE_NOLFS",    "SQLITE_AUTH",
        "SQLITE_FORMAT",   "SQLITE_RANGE"};
    if (code >= 0 && code < int(std::size(kNames)))
        return kNames[code];
    switch (code) {
    case 100:
        return "SQLITE_ROW";
    case 101:
        return "SQLITE_DONE";
    case CSQL3Exception::kLayerError:
        return "CPPSQLITE_ERROR";
    default:
        return "UNKNOWN_ERROR";
    }
}

CSQL3Exception::CSQL3Exception(int code, const QString& detail)
    : m_code(code),
      m_message(QStringLiteral("%1[%2]: %3")
                    .arg(QLatin1String(SqlErrorName(code)), QString::number(code), detail)) {}

} // namespace skyloom
