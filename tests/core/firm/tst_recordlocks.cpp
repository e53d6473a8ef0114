#include "engine/Errors.h"
#include "firm/RecordLocks.h"
#include "firm/Schema.h"
#include "support/TestFixture.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
// The second copy of the program: takes a lock on a row of a firm file, says so, and waits.
int HoldLock(const QString &file, const QString &table, const QString &key)
{
    Db db(u"holder"_s);
    db.open(file, false);
    RecordLock lock;
    if (RecordLock::Acquire(db, table, key, lock))
        return 2;
    QTextStream out(stdout);
    out << "locked" << Qt::endl;
    QTextStream in(stdin);
    in.readLine();  // "release" or the end of input
    lock.release();
    out << "released" << Qt::endl;
    return 0;
}

// A copy that finds the row held by a dead process: once `go` exists it tries to take the lock,
// says whether it won, and keeps what it won until told to end.
int TakeOver(const QString &file, const QString &table, const QString &key, const QString &go)
{
    Db db(u"taker"_s);
    db.open(file, false);
    QTextStream out(stdout);
    out << "ready" << Qt::endl;
    while (!QFile::exists(go))
        QThread::usleep(100);
    RecordLock lock;
    out << (RecordLock::Acquire(db, table, key, lock) ? "lost" : "won") << Qt::endl;
    QTextStream(stdin).readLine();
    return 0;
}

// A process id that no process has now.
qint64 DeadPid()
{
    QProcess gone;
    gone.start(u"true"_s, {});
    gone.waitForFinished(20000);
    return gone.processId() > 0 ? gone.processId() : 4194000;
}

void InsertDeadHolder(Db &db, const QString &table, const QString &key, qint64 pid)
{
    db.exec(u"insert into RecLocks (Lock_Table, Lock_Key, Lock_User, Lock_Host, Lock_Pid, Lock_Start) "
            "values (?, ?, 'починал', ?, ?, 1)"_s,
            {table, key, QSysInfo::machineHostName(), pid});
}

struct Holder {
    QProcess process;
    bool start(const QString &file, const QString &table, const QString &key)
    {
        process.start(QCoreApplication::applicationFilePath(), {u"--hold-lock"_s, file, table, key});
        return process.waitForReadyRead(20000) && process.readLine().trimmed() == "locked";
    }
};
}  // namespace

class RecordLocksTest : public QObject {
    Q_OBJECT

    QString firmFile(TestFixture &f) { return f.dm.DataPath() + Schema::FirmFileName; }

private slots:
    void ownLockDoesNotCountAsAnothers()
    {
        TestFixture f;
        f.openNewFirm();
        RecordLock lock;
        QVERIFY(!RecordLock::Acquire(f.dm.db(), u"s"_s, u"501"_s, lock));
        QVERIFY(lock.held());
        QVERIFY(!LockedByOther(f.dm.db(), u"s"_s, u"501"_s));
        RecordLock again;
        QVERIFY(!RecordLock::Acquire(f.dm.db(), u"s"_s, u"501"_s, again));
        lock.release();
        QCOMPARE(f.dm.db().scalar(u"select count(*) from RecLocks"_s).toInt(), 1);
        again.release();
        QCOMPARE(f.dm.db().scalar(u"select count(*) from RecLocks"_s).toInt(), 0);
    }

    void anotherCopyIsRefusedWithTheHoldersNameUntilItSaves()
    {
        TestFixture f;
        f.openNewFirm();
        Holder other;
        QVERIFY(other.start(firmFile(f), u"nom"_s, u"3"_s));
        RecordLock lock;
        const auto holder = RecordLock::Acquire(f.dm.db(), u"nom"_s, u"3"_s, lock);
        QVERIFY(holder.has_value());
        QVERIFY(!lock.held());
        QCOMPARE(holder->user, CurrentLockOwner().user);
        QCOMPARE(holder->pid, other.process.processId());
        QVERIFY(holder->since.isValid());
        QCOMPARE(LockMessage(RecordLockPrefix, *holder), RecordLockPrefix + CurrentLockOwner().user + u", от "_s
                                                              + holder->since.toString(u"dd.MM.yyyy hh:mm"_s)
                                                              + u" ч."_s);
        QVERIFY(!RecordLock::Acquire(f.dm.db(), u"nom"_s, u"4"_s, lock));  // other rows are free
        lock.release();

        other.process.write("release\n");
        QVERIFY(other.process.waitForFinished(20000));
        QCOMPARE(other.process.exitCode(), 0);
        QVERIFY(!RecordLock::Acquire(f.dm.db(), u"nom"_s, u"3"_s, lock));
        QVERIFY(lock.held());
    }

    void aKilledHoldersLockIsTakenOver()
    {
        TestFixture f;
        f.openNewFirm();
        Holder other;
        QVERIFY(other.start(firmFile(f), u"Sns"_s, u"411|1|0|0|0|0"_s));
        QVERIFY(LockedByOther(f.dm.db(), u"Sns"_s, u"411|1|0|0|0|0"_s).has_value());
        other.process.kill();
        QVERIFY(other.process.waitForFinished(20000));
        RecordLock lock;
        QVERIFY(!RecordLock::Acquire(f.dm.db(), u"Sns"_s, u"411|1|0|0|0|0"_s, lock));
        QVERIFY(lock.held());
    }

    void aDeadHoldersLockGoesToOneOfTwoCopiesTakingItAtOnce()
    {
        TestFixture f;
        f.openNewFirm();
        QTemporaryDir signals_;
        const qint64 dead = DeadPid();
        for (int round = 0; round < 12; ++round) {
            const QString key = QString::number(round);
            InsertDeadHolder(f.dm.db(), u"nom_p"_s, key, dead);
            const QString go = signals_.filePath(key);
            QProcess other;
            other.start(QCoreApplication::applicationFilePath(), {u"--take-over"_s, firmFile(f), u"nom_p"_s, key, go});
            QVERIFY(other.waitForReadyRead(20000));
            QCOMPARE(other.readLine().trimmed(), QByteArray("ready"));
            QFile(go).open(QIODevice::WriteOnly);
            RecordLock lock;
            const bool iWon = !RecordLock::Acquire(f.dm.db(), u"nom_p"_s, key, lock);
            QVERIFY(other.canReadLine() || other.waitForReadyRead(20000));
            const bool otherWon = other.readLine().trimmed() == "won";
            QVERIFY2(iWon != otherWon, qPrintable(u"round %1: both or neither took the lock"_s.arg(round)));
            other.write("end\n");
            QVERIFY(other.waitForFinished(20000));
        }
    }

    void clearingADeadHoldersRowLeavesTheCopyThatTookItOver()
    {
        TestFixture f;
        f.openNewFirm();
        const LockHolder dead{u"починал"_s, QSysInfo::machineHostName(), DeadPid(), 1, {}};
        InsertDeadHolder(f.dm.db(), u"s"_s, u"501"_s, dead.pid);
        Holder other;
        QVERIFY(ClearStaleLock(f.dm.db(), u"s"_s, u"501"_s, dead));
        QVERIFY(other.start(firmFile(f), u"s"_s, u"501"_s));
        // A copy that read the dead holder before the row changed hands clears nothing now.
        QVERIFY(!ClearStaleLock(f.dm.db(), u"s"_s, u"501"_s, dead));
        const auto holder = LockedByOther(f.dm.db(), u"s"_s, u"501"_s);
        QVERIFY(holder.has_value());
        QCOMPARE(holder->pid, other.process.processId());
        other.process.write("release\n");
        QVERIFY(other.process.waitForFinished(20000));
    }

    void theHolderIsNamedByItsAccountEvenWithoutUserInItsEnvironment()
    {
        TestFixture f;
        f.openNewFirm();
        Holder other;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"USER"_s);
        env.remove(u"USERNAME"_s);
        env.remove(u"LOGNAME"_s);
        other.process.setProcessEnvironment(env);
        QVERIFY(other.start(firmFile(f), u"op"_s, u"1"_s));
        const auto holder = LockedByOther(f.dm.db(), u"op"_s, u"1"_s);
        QVERIFY(holder.has_value());
        QCOMPARE(holder->user, QString::fromLocal8Bit(getpwuid(geteuid())->pw_name));
        QVERIFY(holder->since.isValid());
        QVERIFY(qAbs(holder->since.secsTo(QDateTime::currentDateTime())) < 600);
        other.process.write("release\n");
        QVERIFY(other.process.waitForFinished(20000));
    }

    void aHolderOnAnotherComputerIsNamedWithIt()
    {
        TestFixture f;
        f.openNewFirm();
        f.dm.db().exec(u"insert into RecLocks (Lock_Table, Lock_Key, Lock_User, Lock_Host, Lock_Pid, Lock_Start) "
                       "values ('op', '7', 'мария', 'счетоводство-2', 1, 1)"_s);
        RecordLock lock;
        const auto holder = RecordLock::Acquire(f.dm.db(), u"op"_s, u"7"_s, lock);
        QVERIFY(holder.has_value());
        QCOMPARE(LockMessage(RecordLockPrefix, *holder),
                 RecordLockPrefix + u"мария (компютър счетоводство-2)"_s);
    }

    void olderFirmFileGetsTheLockTable()
    {
        TestFixture f;
        const int id = f.makeFirm();
        const QString dir = f.fd.Firm(id)->Firm_DataPath;
        {
            Db db(u"old"_s);
            db.open(dir + Schema::FirmFileName, false);
            db.exec(u"drop table RecLocks"_s);
            db.setUserVersion(1);
        }
        f.dm.Open(dir);
        QVERIFY(f.dm.db().tableExists(u"RecLocks"_s));
        QCOMPARE(f.dm.db().userVersion(), Schema::FirmVersion());
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 5 && QByteArray(argv[1]) == "--hold-lock")
        return HoldLock(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[4]));
    if (argc == 6 && QByteArray(argv[1]) == "--take-over")
        return TakeOver(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[4]),
                        QString::fromLocal8Bit(argv[5]));
    RecordLocksTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_recordlocks.moc"
