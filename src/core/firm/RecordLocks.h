#pragma once
// "Is this row being edited by another user?" Copies of the program that work on the same firm
// record the rows they edit in a lock table of the firm's file, with the holder's user name,
// computer and process. A lock whose process on this computer is gone is taken over, by one
// copy only when several try at once.
#include <QDateTime>
#include <QString>
#include <optional>

class Db;

struct LockHolder {
    QString user;
    QString host;
    qint64 pid = 0;
    qint64 processStart = 0;  // tells a reused process id from the holder
    QDateTime since;          // when the lock was taken; invalid when not recorded
    bool isThisComputer() const;
};

// Who this copy of the program is: the operating system's name of the account it runs under.
LockHolder CurrentLockOwner();

// The holder of another copy's live lock on the row, or nothing. Dead holders on this computer
// are cleared on the way.
std::optional<LockHolder> LockedByOther(Db &db, const QString &table, const QString &rowKey);

// Removes the lock row only while `dead` still holds it: of several copies that find the same
// dead holder, one clears it and the others find the row gone or taken. Answers whether it did.
bool ClearStaleLock(Db &db, const QString &table, const QString &rowKey, const LockHolder &dead);

// "<prefix><user>", for a holder on another computer its name in brackets, and since when.
QString LockMessage(const QString &prefix, const LockHolder &holder);
inline const QString RecordLockPrefix = QStringLiteral("В момента избрания запис се редактира от потребител: ");

// Holds the lock on one row while an editor works on it; released when the editor posts or
// cancels (or the object dies).
class RecordLock {
public:
    RecordLock() = default;
    ~RecordLock();
    RecordLock(RecordLock &&other) noexcept;
    RecordLock &operator=(RecordLock &&other) noexcept;
    RecordLock(const RecordLock &) = delete;
    RecordLock &operator=(const RecordLock &) = delete;

    // Takes the lock, or answers who holds it. Taking a lock this copy already holds succeeds.
    static std::optional<LockHolder> Acquire(Db &db, const QString &table, const QString &rowKey, RecordLock &lock);
    bool held() const { return m_db != nullptr; }
    void release();

private:
    Db *m_db = nullptr;
    QString m_table;
    QString m_key;
};
