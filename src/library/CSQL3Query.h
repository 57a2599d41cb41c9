#pragma once

#include <QByteArray>

struct sqlite3;
struct sqlite3_stmt;

namespace skyloom {

// A forward-only cursor over one prepared statement. A cursor that owns its statement
// finalises it; moving a cursor hands the statement over.
class CSQL3Query {
public:
    CSQL3Query() = default;
    CSQL3Query(sqlite3* db, sqlite3_stmt* statement, bool atEnd);
    CSQL3Query(CSQL3Query&& other) noexcept;
    CSQL3Query& operator=(CSQL3Query&& other) noexcept;
    CSQL3Query(const CSQL3Query&) = delete;
    CSQL3Query& operator=(const CSQL3Query&) = delete;
    virtual ~CSQL3Query();

    bool AtEnd() const;
    int ColumnCount() const;
    // The column's text as UTF-8 bytes; null for SQL NULL.
    const char* ColumnText(int column) const;
    const char* ColumnName(int column) const;
    void MoveNext();
    void Finalize();

private:
    void CheckStatement() const;
    void CheckColumn(int column) const;
    [[noreturn]] void ThrowFinalized();

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    bool m_atEnd = true;
    int m_columnCount = 0;
    bool m_ownsStatement = false;
};

} // namespace skyloom
