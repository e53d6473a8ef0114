#pragma once
// "Is this row being edited by another user?" Copies of the program that work on the same firm
// record the rows they edit in a lock table of the firm's file, with the holder's user name,
// computer and process. A lock whose process on this computer is gone is taken over.
#include <QString>
#include <optional>

class Db;

struct LockHolder {
    QString user;
    QString host;
    qint64 pid = 0;
    qint64 processStart = 0;  // tells a reused process id from the holder
    bool isThisComputer() const;
};

// Who this copy of the program is.
LockHolder CurrentLockOwner();

// The holder of another copy's live lock on the row, or nothing. Dead holders on this computer
// are cleared on the way.
std::optional<LockHolder> LockedByOther(Db &db, const QString &table, const QString &rowKey);

// "<prefix><user>" and, for a holder on another computer, its name in brackets.
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
