#pragma once
// A connection of SQLite's own to a books file, for reading only, inside one read transaction
// from the moment it is made until it is released: whatever reads through it sees one state of
// the books while others post. It is for the readings of a million lines, where QtSql's turning
// of every value into a QVariant (and of every text into UTF-16 inside SQLite) costs more than
// the reading. Values are always bound, never pasted into the SQL text; failures become
// EngineErrors as through `Db`.
#include <QByteArrayView>
#include <QString>
#include <QVariantList>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

class SqliteReader {
public:
    explicit SqliteReader(const QString &file);
    ~SqliteReader();
    // `count` connections that see one and the same state of the books, for readings that run
    // side by side: their read transactions begin while the books' write lock is held, so that
    // nothing is saved in between. When the lock cannot be had within `lockWaitMs` (someone is
    // saving, the file is read-only), only the first connection is made.
    static std::vector<std::unique_ptr<SqliteReader>> Together(const QString &file, int count, int lockWaitMs = 1000);
    SqliteReader(const SqliteReader &) = delete;
    SqliteReader &operator=(const SqliteReader &) = delete;

    // The rows of one statement, read forward once.
    class Rows {
    public:
        Rows() = default;
        bool next();
        // Runs the statement up to its first row, which the next `next` then gives: a sorted
        // reading does its sorting here, ahead of time.
        void fetchFirst();
        qint64 integer(int column) const;
        double real(int column) const;
        bool isNull(int column) const;
        // The bytes of a text column, valid until the next row.
        QByteArrayView bytes(int column) const;
        QString text(int column) const { return QString::fromUtf8(bytes(column)); }

    private:
        friend class SqliteReader;
        struct Finalize {
            void operator()(sqlite3_stmt *statement) const;
        };
        sqlite3 *m_db = nullptr;
        std::unique_ptr<sqlite3_stmt, Finalize> m_statement;
        bool m_fetched = false;  // the statement stands on a row `next` has not given yet
    };

    // Binds are integers, doubles, texts or null.
    Rows query(const QString &sql, const QVariantList &binds = {});
    // Ends the read transaction once nothing more is read, so the books' journal can be folded
    // back while the report stays open. Statements still open keep it until they end.
    void release();
    // Makes a reading running on another thread stop at once, with an error.
    void interrupt();

private:
    void check(int code) const;
    sqlite3 *m_db = nullptr;
    bool m_open = false;
};
