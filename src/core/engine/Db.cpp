#include "engine/Db.h"

#include "engine/BooksFiles.h"
#include "engine/Errors.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace {
bool g_transactionActive = false;
constexpr int BusyTimeoutMs = 5000;
}  // namespace

Db::Db(QString purpose)
    : m_connection(purpose + u'-' + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

Db::~Db() { close(); }

void Db::open(const QString &file, bool create, const QString &requiredTable)
{
    close();
    if (!create && !QFileInfo::exists(file))
        throw MyException(u"Липсва файлът с данни: "_s + file);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connection);
        db.setDatabaseName(file);
        db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=%1"_s.arg(BusyTimeoutMs));
        if (!db.open()) {
            const EngineError error = EngineErrorFromSql(db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connection);
            throw error;
        }
    }
    m_file = file;
    BooksFiles::Note(file);
    try {
        // Reading the schema fails on a file that is not a database.
        exec(u"select count(*) from sqlite_master"_s);
        // Setting the journal mode writes to the file: a file of someone else's (or an empty one)
        // is left exactly as it was.
        if (!requiredTable.isEmpty() && (userVersion() < 1 || !tableExists(requiredTable))) {
            close();
            throw MyException(NotAProgramFileMessage + file);
        }
        exec(u"PRAGMA journal_mode=WAL"_s);
        exec(u"PRAGMA synchronous=FULL"_s);
        exec(u"PRAGMA foreign_keys=OFF"_s);
        // Reports group and sort in memory, and a year of postings stays in the page cache.
        exec(u"PRAGMA temp_store=MEMORY"_s);
        setCacheKib(DefaultCacheKib);
    } catch (const EngineError &e) {
        close();
        throw MyException(NotAProgramFileMessage + file + u"\r"_s + ErrorHookText(e));
    }
}

void Db::close()
{
    m_cache.clear();
    if (!QSqlDatabase::contains(m_connection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_file.clear();
}

bool Db::isOpen() const
{
    return QSqlDatabase::contains(m_connection) && QSqlDatabase::database(m_connection, false).isOpen();
}

QSqlDatabase Db::handle() const { return QSqlDatabase::database(m_connection, false); }

QSqlQuery Db::exec(const QString &sql, const QVariantList &binds)
{
    if (!isOpen())
        throw MyException(u"Няма връзка с базата данни!"_s);
    QSqlQuery query(handle());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw EngineErrorFromSql(query.lastError());
    for (const QVariant &value : binds)
        query.addBindValue(value);
    if (!query.exec())
        throw EngineErrorFromSql(query.lastError());
    return query;
}

QSqlQuery &Db::execCached(const QString &sql, const QVariantList &binds)
{
    if (!isOpen())
        throw MyException(u"Няма връзка с базата данни!"_s);
    auto it = m_cache.find(sql);
    if (it == m_cache.end()) {
        auto query = std::make_unique<QSqlQuery>(handle());
        query->setForwardOnly(true);
        if (!query->prepare(sql))
            throw EngineErrorFromSql(query->lastError());
        it = m_cache.emplace(sql, std::move(query)).first;
    }
    QSqlQuery &query = *it->second;
    query.finish();
    for (int i = 0; i < binds.size(); ++i)
        query.bindValue(i, binds.at(i));
    if (!query.exec())
        throw EngineErrorFromSql(query.lastError());
    return query;
}

QVariant Db::scalar(const QString &sql, const QVariantList &binds)
{
    QSqlQuery query = exec(sql, binds);
    return query.next() ? query.value(0) : QVariant();
}

bool Db::tryScalar(const QString &sql, const QVariantList &binds, QVariant &result)
{
    try {
        result = scalar(sql, binds);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

bool Db::tableExists(const QString &table)
{
    return scalar(u"select count(*) from sqlite_master where type = 'table' and lower(name) = lower(?)"_s,
                  {table})
               .toInt()
           > 0;
}

bool Db::fieldExists(const QString &table, const QString &field)
{
    if (!isIdentifier(table))
        return false;
    const QSqlRecord record = handle().record(table);
    for (int i = 0; i < record.count(); ++i)
        if (record.fieldName(i).compare(field, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

int Db::userVersion() { return scalar(u"PRAGMA user_version"_s).toInt(); }

void Db::setUserVersion(int version)
{
    // PRAGMA takes no bound parameters; the value is an integer we produced.
    exec(u"PRAGMA user_version = %1"_s.arg(version));
}

void Db::setCacheKib(int kib)
{
    // PRAGMA takes no bound parameters; the value is an integer of ours.
    exec(u"PRAGMA cache_size = -%1"_s.arg(kib));
}

ScanCache::ScanCache(Db &db, int kib) : m_db(db) { m_db.setCacheKib(kib); }

ScanCache::~ScanCache()
{
    try {
        m_db.setCacheKib(Db::DefaultCacheKib);
    } catch (const std::exception &) {
        // The connection is gone, and its cache with it.
    }
}

bool Db::isIdentifier(const QString &name)
{
    static const QRegularExpression re(u"^[A-Za-z_][A-Za-z0-9_]*$"_s);
    return re.match(name).hasMatch();
}

Transaction::Transaction(Db &db, Kind kind, const QString &refusal) : m_db(db)
{
    if (g_transactionActive)
        throw MyException(refusal);
    m_db.exec(kind == Kind::Write ? u"BEGIN IMMEDIATE"_s : u"BEGIN"_s);
    g_transactionActive = true;
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    try {
        m_db.exec(u"ROLLBACK"_s);
    } catch (const std::exception &) {
        // The connection is gone: SQLite has already dropped the transaction with it.
    }
    g_transactionActive = false;
}

void Transaction::commit()
{
    m_db.exec(u"COMMIT"_s);
    m_done = true;
    g_transactionActive = false;
}

bool Transaction::anyActive() { return g_transactionActive; }

WriteLock::WriteLock(Db &db) : m_db(db) { m_db.exec(u"BEGIN IMMEDIATE"_s); }

WriteLock::~WriteLock()
{
    if (m_committed)
        return;
    try {
        m_db.exec(u"ROLLBACK"_s);
    } catch (const std::exception &) {
        // Nothing to undo when the connection has dropped the transaction already.
    }
}

void WriteLock::commit()
{
    m_db.exec(u"COMMIT"_s);
    m_committed = true;
}
