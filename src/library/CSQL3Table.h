#pragma once

#include "CSQL3DB.h"
#include "CSQL3Exception.h"
#include "SqlErrorBox.h"
#include "SqlText.h"

#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cstring>
#include <vector>

namespace skyloom {

// What the Categories and Shortcuts tables share: open (creating the table and its default
// rows when the file lacks it), load a query's rows into memory, walk them with a cursor, and
// close. The database is opened per operation and closed again; nothing keeps it open.
//
// Every record is decoded once by Load and once more by GetCurrent and GetById, so the
// records in memory hold the once-decoded form and callers see plain text.
//
// Errors are shown in the standard SQL error box and the table stays usable.
template <class Record> class CSQL3Table : public CSQL3DB {
public:
    explicit CSQL3Table(const QString& path) : m_path(path) {}

    bool Open();
    void Close();
    bool IsOpen() const { return m_isOpen; }
    // Loads the rows of a query, matching its columns to the record's by name in any order
    // and letter case. On an error the table is left empty with the cursor before the start.
    bool Load(const QByteArray& sql, const QList<QByteArray>& parameters = {});
    bool IsEnd() const { return m_cursor == int(m_records.size()); }
    bool GetCurrent(Record& record) const;
    void MoveNext() { m_cursor = std::min(m_cursor + 1, int(m_records.size())); }
    bool BeginTransaction();
    bool CommitTransaction();

    // The loaded records in their once-decoded form.
    const std::vector<Record>& Records() const { return m_records; }

protected:
    virtual const char* TableName() const = 0;
    virtual const char* CreateTableSql() const = 0;
    virtual void InsertDefaults() {}

    enum class Via { Execute, Query };
    // Runs one write; 1 on success, 0 when the table is not open or the statement failed.
    int Write(const QByteArray& sql, Via via);
    // The first column of the first row as an int; 0 when not open or on an error.
    int Scalar(const QByteArray& sql);

    std::vector<Record> m_records;

private:
    QString m_path;
    int m_cursor = -1;
    bool m_isOpen = false;
};

template <class Record> bool CSQL3Table<Record>::Open() {
    try {
        CSQL3DB::Open(m_path);
        m_isOpen = true;
        const int tables = QueryInt(SqlText(
            "select count(*) from sqlite_master where type='table' and name='%s'", TableName()));
        // Only a file that lacks the table gets it and its default rows. A file is always
        // asked, even a new one, so that two connections creating the same new file at
        // once cannot both insert the defaults.
        if (tables <= 0) {
            Write(CreateTableSql(), Via::Execute);
            InsertDefaults();
        }
    } catch (const CSQL3Exception& error) {
        // A file that cannot be opened, or that is not a database, is left exactly as it is.
        ShowSqlError(error);
        Close();
    }
    return m_isOpen;
}

template <class Record> void CSQL3Table<Record>::Close() {
    CSQL3DB::Close();
    m_isOpen = false;
}

template <class Record>
bool CSQL3Table<Record>::Load(const QByteArray& sql, const QList<QByteArray>& parameters) {
    if (!m_isOpen)
        return false;
    m_cursor = -1;
    m_records.clear();
    try {
        CSQL3Query query = Query(sql, parameters);
        std::array<int, Record::kColumns.size()> positions;
        positions.fill(-1);
        for (int i = 0; i < query.ColumnCount(); ++i) {
            const QByteArray name = QByteArray(query.ColumnName(i)).toLower();
            for (std::size_t c = 0; c < positions.size(); ++c)
                if (name == Record::kColumns[c])
                    positions[c] = i;
        }
        while (!query.AtEnd()) {
            Record record;
            for (std::size_t c = 0; c < positions.size(); ++c)
                if (positions[c] >= 0)
                    record.SetColumn(c, query.ColumnText(positions[c]));
            record.Decode();
            m_records.push_back(std::move(record));
            query.MoveNext();
        }
    } catch (const CSQL3Exception& error) {
        ShowSqlError(error);
        m_records.clear();
        return false;
    }
    m_cursor = 0;
    return true;
}

template <class Record> bool CSQL3Table<Record>::GetCurrent(Record& record) const {
    if (m_cursor < 0 || m_cursor >= int(m_records.size()))
        return false;
    record = m_records[m_cursor];
    record.Decode();
    return true;
}

template <class Record> bool CSQL3Table<Record>::BeginTransaction() {
    if (!m_isOpen)
        Open();
    return Write("BEGIN TRANSACTION;", Via::Execute) == 1;
}

template <class Record> bool CSQL3Table<Record>::CommitTransaction() {
    return Write("COMMIT;", Via::Execute) == 1;
}

template <class Record> int CSQL3Table<Record>::Write(const QByteArray& sql, Via via) {
    if (!m_isOpen)
        return 0;
    try {
        if (via == Via::Execute)
            Execute(sql);
        else
            Query(sql);
        return 1;
    } catch (const CSQL3Exception& error) {
        ShowSqlError(error);
        return 0;
    }
}

template <class Record> int CSQL3Table<Record>::Scalar(const QByteArray& sql) {
    if (!m_isOpen)
        return 0;
    try {
        return QueryInt(sql);
    } catch (const CSQL3Exception& error) {
        ShowSqlError(error);
        return 0;
    }
}

} // namespace skyloom
