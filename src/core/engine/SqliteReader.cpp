#include "engine/SqliteReader.h"

#include "engine/Errors.h"

#include <QFileInfo>
#include <utility>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {
constexpr int BusyTimeoutMs = 5000;
}  // namespace

SqliteReader::SqliteReader(const QString &file)
{
    if (file.isEmpty())
        throw MyException(u"Няма връзка с базата данни!"_s);
    if (!QFileInfo::exists(file))
        throw MyException(u"Липсва файлът с данни: "_s + file);
    // Opened for writing as the program's own connections are (a file in WAL mode is read
    // through its shared index), but nothing is ever written through it.
    const int opened = sqlite3_open_v2(file.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                                       nullptr);
    if (opened != SQLITE_OK) {
        const QString text = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
        sqlite3_close(m_db);
        m_db = nullptr;
        throw EngineErrorFromSqlite(opened, text);
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, BusyTimeoutMs);
    check(sqlite3_exec(m_db, "PRAGMA query_only=1", nullptr, nullptr, nullptr));
    // The state is fixed by the first read, made here, not by whatever reads first later.
    check(sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr));
    m_open = true;
    Rows first = query(u"select count(*) from sqlite_master"_s);
    first.next();
}

SqliteReader::~SqliteReader()
{
    // Statements are finalized by their Rows, which never outlive a reader in use; whatever is
    // still open is let go with the connection.
    sqlite3_close_v2(m_db);
}

void SqliteReader::check(int code) const
{
    if (code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE)
        throw EngineErrorFromSqlite(code, QString::fromUtf8(sqlite3_errmsg(m_db)));
}

SqliteReader::Rows SqliteReader::query(const QString &sql, const QVariantList &binds)
{
    sqlite3_stmt *statement = nullptr;
    const QByteArray text = sql.toUtf8();
    check(sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &statement, nullptr));
    Rows rows;
    rows.m_db = m_db;
    rows.m_statement.reset(statement);
    for (int i = 0; i < binds.size(); ++i) {
        const QVariant &v = binds[i];
        int code = SQLITE_OK;
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::Bool: code = sqlite3_bind_int64(statement, i + 1, v.toLongLong()); break;
        case QMetaType::Double: code = sqlite3_bind_double(statement, i + 1, v.toDouble()); break;
        default:
            if (v.isNull()) {
                code = sqlite3_bind_null(statement, i + 1);
            } else {
                const QByteArray bytes = v.toString().toUtf8();
                code = sqlite3_bind_text(statement, i + 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
            }
        }
        check(code);
    }
    return rows;
}

std::vector<std::unique_ptr<SqliteReader>> SqliteReader::Together(const QString &file, int count, int lockWaitMs)
{
    std::vector<std::unique_ptr<SqliteReader>> readers;
    sqlite3 *lock = nullptr;
    const bool locked = sqlite3_open_v2(file.toUtf8().constData(), &lock, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                                        nullptr) == SQLITE_OK
                        && sqlite3_busy_timeout(lock, lockWaitMs) == SQLITE_OK
                        && sqlite3_exec(lock, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    try {
        for (int i = 0; i < (locked ? count : 1); ++i)
            readers.push_back(std::make_unique<SqliteReader>(file));
    } catch (...) {
        sqlite3_close_v2(lock);
        throw;
    }
    if (locked)
        sqlite3_exec(lock, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(lock);
    return readers;
}

void SqliteReader::interrupt() { sqlite3_interrupt(m_db); }

void SqliteReader::release()
{
    if (!m_open)
        return;
    m_open = false;
    // A statement still open keeps the transaction: it ends with the connection.
    sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
}

void SqliteReader::Rows::Finalize::operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }

void SqliteReader::Rows::fetchFirst()
{
    if (m_fetched || !m_statement)
        return;
    m_fetched = next();
}

bool SqliteReader::Rows::next()
{
    if (std::exchange(m_fetched, false))
        return true;
    if (!m_statement)
        return false;
    const int code = sqlite3_step(m_statement.get());
    if (code == SQLITE_ROW)
        return true;
    const QString message = code == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errmsg(m_db));
    m_statement.reset();
    if (code != SQLITE_DONE)
        throw EngineErrorFromSqlite(code, message);
    return false;
}

qint64 SqliteReader::Rows::integer(int column) const { return sqlite3_column_int64(m_statement.get(), column); }

double SqliteReader::Rows::real(int column) const { return sqlite3_column_double(m_statement.get(), column); }

bool SqliteReader::Rows::isNull(int column) const
{
    return sqlite3_column_type(m_statement.get(), column) == SQLITE_NULL;
}

QByteArrayView SqliteReader::Rows::bytes(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement.get(), column));
    return QByteArrayView(text, text ? sqlite3_column_bytes(m_statement.get(), column) : 0);
}
