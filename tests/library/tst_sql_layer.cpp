// The SQL access layer over a real SQLite file: error names and texts, scalar queries, cursor
// checks and a lock held by another connection.

#include "TestMain.h"
#include "library/CSQL3DB.h"
#include "library/CSQL3Exception.h"

#include <functional>
#include <sqlite3.h>

using skyloom::CSQL3DB;
using skyloom::CSQL3Exception;
using skyloom::CSQL3Query;

Q_DECLARE_METATYPE(std::function<void(CSQL3DB&)>)

class TestSqlLayer : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Path() const { return m_dir.filePath("layer.skdb"); }

    // Opens the test file with one table of three rows.
    void OpenWithRows(CSQL3DB& db) {
        db.Open(Path());
        db.Execute("DROP TABLE IF EXISTS T; CREATE TABLE T (N INTEGER, S TEXT);"
                   "INSERT INTO T VALUES (1, 'one'); INSERT INTO T VALUES (2, NULL);"
                   "INSERT INTO T VALUES (3, 'three');");
    }

private slots:
    void errorNames_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("0") << 0 << "SQLITE_OK";
        QTest::newRow("5") << 5 << "SQLITE_BUSY";
        QTest::newRow("25") << 25 << "SQLITE_RANGE";
        QTest::newRow("26") << 26 << "UNKNOWN_ERROR";
        QTest::newRow("-1") << -1 << "UNKNOWN_ERROR";
        QTest::newRow("999") << 999 << "UNKNOWN_ERROR";
        QTest::newRow("100") << 100 << "SQLITE_ROW";
        QTest::newRow("101") << 101 << "SQLITE_DONE";
        QTest::newRow("1000") << 1000 << "CPPSQLITE_ERROR";
    }

    void errorNames() {
        QFETCH(int, code);
        QFETCH(QString, name);
        QCOMPARE(QString(skyloom::SqlErrorName(code)), name);
    }

    void errorTexts_data() {
        QTest::addColumn<std::function<void(CSQL3DB&)>>("action");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        using Action = std::function<void(CSQL3DB&)>;
        QTest::newRow("syntax error carries no detail")
            << Action([](CSQL3DB& db) { db.Query("SELEC * FROM T;"); }) << 1 << "SQLITE_ERROR[1]: ";
        QTest::newRow("missing table in a query")
            << Action([](CSQL3DB& db) { db.Query("SELECT * FROM Shortcuts;"); }) << 1
            << "SQLITE_ERROR[1]: ";
        QTest::newRow("execute carries SQLite's text")
            << Action([](CSQL3DB& db) { db.Execute("CREATE TABLE T (X);"); }) << 1
            << "SQLITE_ERROR[1]: table T already exists";
        QTest::newRow("scalar query without a row")
            << Action([](CSQL3DB& db) { db.QueryInt("SELECT N FROM T WHERE N > 99;"); }) << 1000
            << "CPPSQLITE_ERROR[1000]: Invalid scalar query";
        QTest::newRow("column index at the count")
            << Action([](CSQL3DB& db) { db.Query("SELECT N, S FROM T;").ColumnText(2); }) << 1000
            << "CPPSQLITE_ERROR[1000]: Invalid field index requested";
        QTest::newRow("negative column index")
            << Action([](CSQL3DB& db) { db.Query("SELECT N FROM T;").ColumnName(-1); }) << 1000
            << "CPPSQLITE_ERROR[1000]: Invalid field index requested";
        QTest::newRow("cursor without a statement")
            << Action([](CSQL3DB&) { CSQL3Query().MoveNext(); }) << 1000
            << "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer";
        QTest::newRow("database not open") << Action([](CSQL3DB& db) {
            db.Close();
            db.Execute("SELECT 1;");
        }) << 1000 << "CPPSQLITE_ERROR[1000]: Database not open";
        QTest::newRow("runtime error while stepping")
            << Action([](CSQL3DB& db) { db.Query("SELECT abs(-9223372036854775807 - 1);"); }) << 1
            << "SQLITE_ERROR[1]: integer overflow";
    }

    void errorTexts() {
        QFETCH(std::function<void(CSQL3DB&)>, action);
        QFETCH(int, code);
        QFETCH(QString, message);
        CSQL3DB db;
        OpenWithRows(db);
        try {
            action(db);
            QFAIL("no exception");
        } catch (const CSQL3Exception& error) {
            QCOMPARE(error.Code(), code);
            QCOMPARE(error.Message(), message);
        }
    }

    void scalarQueries_data() {
        QTest::addColumn<QByteArray>("sql");
        QTest::addColumn<int>("value");
        QTest::newRow("TOTAL over no rows")
            << QByteArray("SELECT TOTAL(N) FROM T WHERE N > 9;") << 0;
        QTest::newRow("TOTAL drops the fraction")
            << QByteArray("SELECT TOTAL(N) + 0.75 FROM T;") << 6;
        QTest::newRow("COUNT") << QByteArray("SELECT COUNT(*) FROM T;") << 3;
        QTest::newRow("NULL reads as 0") << QByteArray("SELECT MAX(N) FROM T WHERE N > 9;") << 0;
        QTest::newRow("leading digits only") << QByteArray("SELECT '42abc';") << 42;
    }

    void scalarQueries() {
        QFETCH(QByteArray, sql);
        QFETCH(int, value);
        CSQL3DB db;
        OpenWithRows(db);
        QCOMPARE(db.QueryInt(sql), value);
    }

    void cursorWalksRowsAndHandsOverItsStatement() {
        CSQL3DB db;
        OpenWithRows(db);
        CSQL3Query query = db.Query("SELECT S, N FROM T ORDER BY N;");
        QCOMPARE(query.ColumnCount(), 2);
        QCOMPARE(QByteArray(query.ColumnName(0)), "S");
        QStringList seen;
        while (!query.AtEnd()) {
            const char* text = query.ColumnText(0);
            seen << (text ? QString::fromUtf8(text) : QString("<null>"));
            query.MoveNext();
        }
        QCOMPARE(seen, (QStringList{"one", "<null>", "three"}));

        CSQL3Query moved;
        moved = db.Query("SELECT N FROM T;");
        CSQL3Query taken = std::move(moved);
        QVERIFY(!taken.AtEnd());
        QVERIFY_THROWS_EXCEPTION(CSQL3Exception, moved.AtEnd());
        QCOMPARE(db.Execute("UPDATE T SET N = N + 1;"), 3);
    }

    void writeLockOfAnotherConnectionTimesOut() {
        {
            CSQL3DB setup;
            OpenWithRows(setup);
        }
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(Path().toUtf8(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE; INSERT INTO T VALUES (4, 'x');", nullptr,
                              nullptr, nullptr),
                 SQLITE_OK);
        CSQL3DB db;
        db.SetBusyTimeout(100);
        db.Open(Path());
        try {
            db.QueryInt("SELECT COUNT(*) FROM T;");
            QFAIL("no exception");
        } catch (const CSQL3Exception& error) {
            // Reading the schema already needs the lock, so the statement fails in Prepare,
            // which gives no detail text.
            QCOMPARE(error.Message(), "SQLITE_BUSY[5]: ");
        }
        sqlite3_exec(other, "ROLLBACK;", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QCOMPARE(db.QueryInt("SELECT COUNT(*) FROM T;"), 3);
    }
};

SKYLOOM_TEST_MAIN(TestSqlLayer, QCoreApplication)
#include "tst_sql_layer.moc"
