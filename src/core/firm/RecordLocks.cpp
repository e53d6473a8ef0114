#include "firm/RecordLocks.h"

#include "engine/Db.h"
#include "engine/Errors.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QSqlQuery>
#include <QSysInfo>

#include <csignal>
#include <cerrno>
#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The start time of a process in clock ticks since boot (field 22 of /proc/<pid>/stat), or 0.
qint64 ProcessStart(qint64 pid)
{
    QFile stat(u"/proc/%1/stat"_s.arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    const int close = text.lastIndexOf(')');  // the command name may hold blanks
    if (close < 0)
        return 0;
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    return fields.size() > 19 ? fields.at(19).toLongLong() : 0;
}

bool ProcessAlive(const LockHolder &h)
{
    if (h.pid <= 0)
        return false;
    if (::kill(static_cast<pid_t>(h.pid), 0) != 0 && errno == ESRCH)
        return false;
    const qint64 start = ProcessStart(h.pid);
    return start == 0 || h.processStart == 0 || start == h.processStart;
}

bool SameOwner(const LockHolder &a, const LockHolder &b)
{
    return a.host == b.host && a.pid == b.pid && a.processStart == b.processStart;
}

std::optional<LockHolder> Holder(Db &db, const QString &table, const QString &key)
{
    QSqlQuery q = db.exec(u"select Lock_User, Lock_Host, Lock_Pid, Lock_Start, Lock_Since from RecLocks "
                          "where Lock_Table = ? and Lock_Key = ?"_s,
                          {table, key});
    if (!q.next())
        return std::nullopt;
    QDateTime since = QDateTime::fromString(q.value(4).toString(), Qt::ISODate);
    if (since.isValid())
        since = since.toLocalTime();
    return LockHolder{q.value(0).toString(), q.value(1).toString(), q.value(2).toLongLong(), q.value(3).toLongLong(),
                      since};
}

// The name of the account the process runs under, as the operating system knows it.
QString AccountName()
{
    passwd entry{};
    passwd *found = nullptr;
    char buffer[1024];
    if (getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_name)
        return QString::fromLocal8Bit(found->pw_name);
    return {};
}

// How many RecordLock objects of this process hold each row; the row is freed with the last.
QHash<QString, int> &HoldCounts()
{
    static QHash<QString, int> counts;
    return counts;
}

QString CountKey(Db &db, const QString &table, const QString &key)
{
    return db.fileName() + u'\n' + table + u'\n' + key;
}

void Remove(Db &db, const QString &table, const QString &key)
{
    db.exec(u"delete from RecLocks where Lock_Table = ? and Lock_Key = ? and Lock_Host = ? and Lock_Pid = ? "
            "and Lock_Start = ?"_s,
            {table, key, QSysInfo::machineHostName(), QCoreApplication::applicationPid(),
             ProcessStart(QCoreApplication::applicationPid())});
}

}  // namespace

bool LockHolder::isThisComputer() const { return host == QSysInfo::machineHostName(); }

LockHolder CurrentLockOwner()
{
    QString user = AccountName();
    if (user.isEmpty())
        user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QString::number(geteuid());
    const qint64 pid = QCoreApplication::applicationPid();
    return {user, QSysInfo::machineHostName(), pid, ProcessStart(pid), QDateTime::currentDateTime()};
}

bool ClearStaleLock(Db &db, const QString &table, const QString &rowKey, const LockHolder &dead)
{
    // One statement: only the copy whose delete still finds the dead holder's row removes it.
    QSqlQuery q = db.exec(u"delete from RecLocks where Lock_Table = ? and Lock_Key = ? and Lock_Host = ? "
                          "and Lock_Pid = ? and Lock_Start = ?"_s,
                          {table, rowKey, dead.host, dead.pid, dead.processStart});
    return q.numRowsAffected() > 0;
}

std::optional<LockHolder> LockedByOther(Db &db, const QString &table, const QString &rowKey)
{
    const LockHolder me = CurrentLockOwner();
    // A dead holder's row is cleared and the row read again: another copy may have cleared it
    // first and taken the lock itself.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const auto holder = Holder(db, table, rowKey);
        if (!holder || SameOwner(*holder, me))
            return std::nullopt;
        if (!holder->isThisComputer() || ProcessAlive(*holder))
            return holder;
        ClearStaleLock(db, table, rowKey, *holder);
    }
    const auto holder = Holder(db, table, rowKey);
    return holder && !SameOwner(*holder, me) ? holder : std::nullopt;
}

QString LockMessage(const QString &prefix, const LockHolder &holder)
{
    QString text = prefix + holder.user;
    if (!holder.isThisComputer())
        text += u" (компютър "_s + holder.host + u")"_s;
    if (holder.since.isValid())
        text += u", от "_s + holder.since.toString(u"dd.MM.yyyy hh:mm"_s) + u" ч."_s;
    return text;
}

RecordLock::~RecordLock() { release(); }

RecordLock::RecordLock(RecordLock &&other) noexcept { *this = std::move(other); }

RecordLock &RecordLock::operator=(RecordLock &&other) noexcept
{
    if (this != &other) {
        release();
        m_db = std::exchange(other.m_db, nullptr);
        m_table = std::move(other.m_table);
        m_key = std::move(other.m_key);
    }
    return *this;
}

std::optional<LockHolder> RecordLock::Acquire(Db &db, const QString &table, const QString &rowKey, RecordLock &lock)
{
    lock.release();
    if (const auto other = LockedByOther(db, table, rowKey))
        return other;
    const LockHolder me = CurrentLockOwner();
    // The primary key makes the race between two copies taking the same row end with one owner.
    // The row read back says who: when there is none, the other copy let go between the insert
    // and the read, and the lock is tried again rather than taken without a row to show for it.
    for (int attempt = 0; attempt < 5; ++attempt) {
        db.exec(u"insert into RecLocks (Lock_Table, Lock_Key, Lock_User, Lock_Host, Lock_Pid, Lock_Start, "
                "Lock_Since) values (?, ?, ?, ?, ?, ?, ?) "
                "on conflict (Lock_Table, Lock_Key) do nothing"_s,
                {table, rowKey, me.user, me.host, me.pid, me.processStart,
                 QDateTime::currentDateTimeUtc().toString(Qt::ISODate)});
        const auto holder = Holder(db, table, rowKey);
        if (!holder)
            continue;
        if (!SameOwner(*holder, me))
            return holder;
        lock.m_db = &db;
        lock.m_table = table;
        lock.m_key = rowKey;
        ++HoldCounts()[CountKey(db, table, rowKey)];
        return std::nullopt;
    }
    throw MyException(u"Опитайте отново!"_s);
}

void RecordLock::release()
{
    if (!m_db)
        return;
    try {
        const QString countKey = CountKey(*m_db, m_table, m_key);
        if (--HoldCounts()[countKey] <= 0) {
            HoldCounts().remove(countKey);
            if (m_db->isOpen())
                Remove(*m_db, m_table, m_key);
        }
    } catch (const std::exception &e) {
        qWarning("releasing a record lock failed: %s", e.what());
    }
    m_db = nullptr;
}
