#include "CSQL3DB.h"

#include "CSQL3Exception.h"

#include <cstdlib>
#include <sqlite3.h>

namespace skyloom {

CSQL3DB::~CSQL3DB() {
    Close();
}

void CSQL3DB::CheckOpen() const {
    if (!m_handle)
        throw CSQL3Exception(CSQL3Exception::kLayerError, QStringLiteral("Database not open"));
}

void CSQL3DB::Open(const QString& path) {
    Close();
    const int result = sqlite3_open(path.toUtf8().constData(), &m_handle);
    if (result != SQLITE_OK) {
        const char* text = m_handle ? sqlite3_errmsg(m_handle) : nullptr;
        throw CSQL3Exception(result, QString::fromUtf8(text ? text : ""));
    }
    sqlite3_busy_timeout(m_handle, m_busyTimeoutMs);
}

int CSQL3DB::Close() {
    if (!m_handle)
        return SQLITE_OK;
    // close_v2 frees the connection once any statement still alive is finalised, so a
    // failing close never leaks it.
    const int result = sqlite3_close_v2(m_handle);
    m_handle = nullptr;
    return result;
}

int CSQL3DB::Execute(const QByteArray& sql) {
    CheckOpen();
    char* error = nullptr;
    const int result = sqlite3_exec(m_handle, sql.constData(), nullptr, nullptr, &error);
    if (result != SQLITE_OK) {
        const QString detail = QString::fromUtf8(error ? error : "");
        sqlite3_free(error);
        throw CSQL3Exception(result, detail);
    }
    return sqlite3_changes(m_handle);
}

sqlite3_stmt* CSQL3DB::Prepare(const QByteArray& sql) {
    CheckOpen();
    sqlite3_stmt* statement = nullptr;
    const int result = sqlite3_prepare(m_handle, sql.constData(), -1, &statement, nullptr);
    if (result != SQLITE_OK)
        throw CSQL3Exception(result, QString());
    return statement;
}

CSQL3Query CSQL3DB::Query(const QByteArray& sql, const QList<QByteArray>& parameters) {
    CheckOpen();
    sqlite3_stmt* statement = Prepare(sql);
    if (!statement)
        return CSQL3Query(); // the text held no statement
    for (int i = 0; i < parameters.size(); ++i) {
        const QByteArray& text = parameters[i];
        const int bound = sqlite3_bind_text(statement, i + 1, text.constData(), int(text.size()),
                                            SQLITE_TRANSIENT);
        if (bound != SQLITE_OK) {
            sqlite3_finalize(statement);
            throw CSQL3Exception(bound, QString::fromUtf8(sqlite3_errmsg(m_handle)));
        }
    }
    const int result = sqlite3_step(statement);
    if (result == SQLITE_DONE || result == SQLITE_ROW)
        return CSQL3Query(m_handle, statement, result == SQLITE_DONE);
    const int code = sqlite3_finalize(statement);
    throw CSQL3Exception(code, QString::fromUtf8(sqlite3_errmsg(m_handle)));
}

int CSQL3DB::QueryInt(const QByteArray& sql) {
    CSQL3Query query = Query(sql);
    if (query.AtEnd() || query.ColumnCount() < 1)
        throw CSQL3Exception(CSQL3Exception::kLayerError, QStringLiteral("Invalid scalar query"));
    const char* text = query.ColumnText(0);
    const int value = text ? std::atoi(text) : 0; // SQL NULL reads as 0
    query.Finalize();
    return value;
}

} // namespace skyloom
