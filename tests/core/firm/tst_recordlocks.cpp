#include "engine/Errors.h"
#include "firm/RecordLocks.h"
#include "firm/Schema.h"
#include "support/TestFixture.h"

#include <QProcess>
#include <QTest>
#include <QTextStream>

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
        QCOMPARE(LockMessage(RecordLockPrefix, *holder), RecordLockPrefix + CurrentLockOwner().user);
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
    RecordLocksTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_recordlocks.moc"
