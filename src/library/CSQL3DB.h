#pragma once

#include "CSQL3Query.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace skyloom {

// One connection to an SQLite file. Every failure is thrown as a CSQL3Exception.
class CSQL3DB {
public:
    CSQL3DB() = default;
    CSQL3DB(const CSQL3DB&) = delete;
    CSQL3DB& operator=(const CSQL3DB&) = delete;
    virtual ~CSQL3DB();

    // Opens (and creates when missing) the file for reading and writing.
    void Open(const QString& path);
    int Close();
    // Runs statements without results; returns the number of rows they changed.
    int Execute(const QByteArray& sql);
    sqlite3_stmt* Prepare(const QByteArray& sql);
    // Runs a query; each "?" of the text takes the next parameter as UTF-8 text, bound and
    // never parsed as SQL.
    CSQL3Query Query(const QByteArray& sql, const QList<QByteArray>& parameters = {});
    // The first column of the first row, read as a number the way atoi reads it.
    int QueryInt(const QByteArray& sql);

    // How long a statement waits for another connection's lock before it fails with
    // SQLITE_BUSY; applied at every open.
    void SetBusyTimeout(int ms) { m_busyTimeoutMs = ms; }
    bool HasHandle() const { return m_handle != nullptr; }

private:
    void CheckOpen() const;

    sqlite3* m_handle = nullptr;
    int m_busyTimeoutMs = 60000;
};

} // namespace skyloom
