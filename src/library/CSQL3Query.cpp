#include "CSQL3Query.h"

#include "CSQL3Exception.h"

#include <sqlite3.h>
#include <utility>

namespace skyloom {

CSQL3Query::CSQL3Query(sqlite3* db, sqlite3_stmt* statement, bool atEnd)
    : m_db(db), m_statement(statement), m_atEnd(atEnd),
      m_columnCount(sqlite3_column_count(statement)), m_ownsStatement(true) {}

CSQL3Query::CSQL3Query(CSQL3Query&& other) noexcept
    : m_db(other.m_db), m_statement(std::exchange(other.m_statement, nullptr)),
      m_atEnd(other.m_atEnd), m_columnCount(other.m_columnCount),
      m_ownsStatement(other.m_ownsStatement) {}

CSQL3Query& CSQL3Query::operator=(CSQL3Query&& other) noexcept {
    if (this == &other)
        return *this;
    try {
        Finalize();
    } catch (const CSQL3Exception&) {
        // The statement is gone either way; its last error no longer matters.
    }
    m_db = other.m_db;
    m_statement = std::exchange(other.m_statement, nullptr);
    m_atEnd = other.m_atEnd;
    m_columnCount = other.m_columnCount;
    m_ownsStatement = other.m_ownsStatement;
    return *this;
}

CSQL3Query::~CSQL3Query() {
    try {
        Finalize();
    } catch (const CSQL3Exception&) {
    }
}

void CSQL3Query::CheckStatement() const {
    if (!m_statement)
        throw CSQL3Exception(CSQL3Exception::kLayerError,
                             QStringLiteral("Null Virtual Machine pointer"));
}

void CSQL3Query::CheckColumn(int column) const {
    CheckStatement();
    if (column < 0 || column >= m_columnCount)
        throw CSQL3Exception(CSQL3Exception::kLayerError,
                             QStringLiteral("Invalid field index requested"));
}

bool CSQL3Query::AtEnd() const {
    CheckStatement();
    return m_atEnd;
}

int CSQL3Query::ColumnCount() const {
    CheckStatement();
    return m_columnCount;
}

const char* CSQL3Query::ColumnText(int column) const {
    CheckColumn(column);
    return reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
}

const char* CSQL3Query::ColumnName(int column) const {
    CheckColumn(column);
    return sqlite3_column_name(m_statement, column);
}

void CSQL3Query::ThrowFinalized() {
    const int code = sqlite3_finalize(m_statement);
    m_statement = nullptr;
    throw CSQL3Exception(code, QString::fromUtf8(sqlite3_errmsg(m_db)));
}

void CSQL3Query::MoveNext() {
    CheckStatement();
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_DONE)
        m_atEnd = true;
    else if (result != SQLITE_ROW)
        ThrowFinalized();
}

void CSQL3Query::Finalize() {
    if (!m_statement || !m_ownsStatement)
        return;
    const int code = sqlite3_finalize(m_statement);
    m_statement = nullptr;
    if (code != SQLITE_OK)
        throw CSQL3Exception(code, QString::fromUtf8(sqlite3_errmsg(m_db)));
}

} // namespace skyloom
