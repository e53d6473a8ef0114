#pragma once
// One SQLite connection through QtSql, with the settings every file of the program uses (WAL,
// synchronous=FULL, a busy timeout). Every failure becomes an EngineError; values are always
// bound, never pasted into the SQL text.
#include <QHash>
#include <memory>
#include <unordered_map>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

inline const QString NotAProgramFileMessage =
    QStringLiteral("Файлът не е база данни на програмата или е повреден: ");

class Db {
public:
    explicit Db(QString purpose);
    ~Db();
    Db(const Db &) = delete;
    Db &operator=(const Db &) = delete;

    // Opens the file; with create false a missing file is an error rather than a new database.
    // With `requiredTable` the file must be one of the program's (a schema version and that
    // table), else it is refused before anything is written to it.
    void open(const QString &file, bool create, const QString &requiredTable = {});
    void close();
    bool isOpen() const;
    QString fileName() const { return m_file; }
    QSqlDatabase handle() const;

    QSqlQuery exec(const QString &sql, const QVariantList &binds = {});
    QVariant scalar(const QString &sql, const QVariantList &binds = {});
    // Runs a statement prepared once per connection and kept: for the look-ups the totals make
    // hundreds of times a report. The result must be read before the same text runs again.
    QSqlQuery &execCached(const QString &sql, const QVariantList &binds = {});
    // Runs a query and tells whether it worked, without throwing (look-ups that may fail).
    bool tryScalar(const QString &sql, const QVariantList &binds, QVariant &result);

    bool tableExists(const QString &table);
    bool fieldExists(const QString &table, const QString &field);
    int userVersion();
    void setUserVersion(int version);
    // The page cache: a year of postings stays in it (the default), unless a scan asks for less.
    static constexpr int DefaultCacheKib = 65536;
    void setCacheKib(int kib);

    // True for a plain SQL identifier: table and field names are the only text ever put into
    // SQL, and only names of the program's own tables pass.
    static bool isIdentifier(const QString &name);

private:
    QString m_connection;
    // Held by pointer so that a statement stays where it is while others are added.
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_cache;
    QString m_file;
};

// A small page cache while a scan reads a table once from end to end: the pages it reads are
// not read again, and the full cache would only hold tens of megabytes of them. The default
// comes back when the scan ends.
class ScanCache {
public:
    explicit ScanCache(Db &db, int kib = 2048);
    ~ScanCache();
    ScanCache(const ScanCache &) = delete;
    ScanCache &operator=(const ScanCache &) = delete;

private:
    Db &m_db;
};

// A unit of work on one connection, rolled back unless committed. Only one may be active in
// the process at a time; a second is refused with the command's own text. A write transaction
// takes the write lock at once (BEGIN IMMEDIATE), so numbers drawn inside it stay unique across
// copies of the program.
class Transaction {
public:
    enum class Kind { Read, Write };
    explicit Transaction(Db &db, Kind kind = Kind::Write,
                         const QString &refusal = QStringLiteral("Опитайте пак!"));
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();
    static bool anyActive();

private:
    Db &m_db;
    bool m_done = false;
};

// The write lock of a file held for a short step that stands apart from the process's unit of
// work (drawing a counter, registering a firm): BEGIN IMMEDIATE, committed or rolled back. It
// does not count as the one active Transaction, so it may run while one is open on another file.
class WriteLock {
public:
    explicit WriteLock(Db &db);
    ~WriteLock();
    WriteLock(const WriteLock &) = delete;
    WriteLock &operator=(const WriteLock &) = delete;
    void commit();

private:
    Db &m_db;
    bool m_committed = false;
};
