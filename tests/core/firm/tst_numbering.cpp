#include "engine/Errors.h"
#include "registry/AutoInc.h"
#include "support/TestFixture.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

class NumberingTest : public QObject {
    Q_OBJECT
private slots:
    void nextNumberByQuery()
    {
        TestFixture f;
        f.openNewFirm();
        QCOMPARE(f.dm.GetUniqueID(u"nom_pap"_s, u"Nom_Pap_No"_s), 1);
        f.dm.db().exec(u"insert into nom_pap (Nom_Pap_No, Nom_Pap_Name) values (7, 'A'), (3, 'B')"_s);
        QCOMPARE(f.dm.GetUniqueID(u"nom_pap"_s, u"Nom_Pap_No"_s), 8);

        f.dm.db().exec(u"insert into nomel (Nom_No, NomEl_No, NomEl_Name) values (1, 5, 'a'), (2, 9, 'b'), (0, 2, 'c')"_s);
        QCOMPARE(f.dm.GetUniqueID(u"nomel"_s, u"NomEl_No"_s, u"Nom_No"_s, 1), 6);
        QCOMPARE(f.dm.GetUniqueID(u"nomel"_s, u"NomEl_No"_s, u"Nom_No"_s, 3), 1);
        // An empty filter value counts as 0.
        QCOMPARE(f.dm.GetUniqueID(u"nomel"_s, u"NomEl_No"_s, u"Nom_No"_s, QVariant()), 3);
    }

    void nextNumberByQueryFailsWithZero_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::newRow("missing field") << u"nom_pap"_s << u"No_Such_Field"_s;
        QTest::newRow("missing table") << u"no_such_table"_s << u"Nom_Pap_No"_s;
        QTest::newRow("not a name") << u"nom_pap; drop table s"_s << u"Nom_Pap_No"_s;
    }
    void nextNumberByQueryFailsWithZero()
    {
        QFETCH(QString, table);
        QFETCH(QString, field);
        TestFixture f;
        f.openNewFirm();
        QCOMPARE(f.dm.GetUniqueID(table, field), 0);
        QCOMPARE(f.dm.NextByScan(table, field), 0);
        QVERIFY(f.dm.db().tableExists(u"s"_s));
    }

    void nextNumberByScanAndCounts()
    {
        TestFixture f;
        f.openNewFirm();
        QCOMPARE(f.dm.NextByScan(u"op"_s, u"Op_id"_s), 1);
        f.dm.db().exec(u"insert into op (Op_id, Op_Name) values (4, 'x'), (11, 'y'), (2, 'z')"_s);
        QCOMPARE(f.dm.NextByScan(u"op"_s, u"Op_id"_s), 12);
        QCOMPARE(f.dm.RecordCount(u"op"_s), 3);
        f.dm.EmptyTable(u"op"_s);
        QCOMPARE(f.dm.RecordCount(u"op"_s), 0);
        QVERIFY_THROWS_EXCEPTION(MyException, f.dm.RecordCount(u"op where 1=1"_s));
    }

    void autoIncSeededFromRecordCountAndConsumedOnCancel()
    {
        TestFixture f;
        f.openNewFirm();
        f.dm.db().exec(u"insert into op (Op_id, Op_Name) values (1, 'a'), (2, 'b'), (3, 'c')"_s);
        TAutoIncTable op(f.fd, f.dm, u"op.DB"_s, u"Op_id"_s);
        QCOMPARE(op.NewRecordId(), 4);
        // The row for id 4 is never posted: the id is gone all the same.
        QCOMPARE(op.NewRecordId(), 5);
        QCOMPARE(f.fd.db().scalar(u"select LastID from AUTOINC where DatabaseName = 'AccountData' and TableName = 'op.DB'"_s).toInt(), 5);
        TAutoIncTable sdt(f.fd, f.dm, u"SDt.DB"_s, u"SDt_Id"_s);
        QCOMPARE(sdt.NewRecordId(), 1);
    }

    void autoIncIsSharedAcrossFirms()
    {
        TestFixture f;
        f.openNewFirm(u"Първа"_s);
        QCOMPARE(TAutoIncTable(f.fd, f.dm, u"opeldt.DB"_s, u"OpEl_Id"_s).NewRecordId(), 1);
        QCOMPARE(TAutoIncTable(f.fd, f.dm, u"opeldt.DB"_s, u"OpEl_Id"_s).NewRecordId(), 2);
        f.openNewFirm(u"Втора"_s);
        QCOMPARE(TAutoIncTable(f.fd, f.dm, u"opeldt.DB"_s, u"OpEl_Id"_s).NewRecordId(), 3);
    }

    void autoIncAsksWhileTheCounterIsLocked()
    {
        TestFixture f;
        f.openNewFirm();
        TAutoIncTable op(f.fd, f.dm, u"op.DB"_s, u"Op_id"_s);
        QCOMPARE(op.NewRecordId(), 1);

        Db other(u"other-copy"_s);
        other.open(f.fd.RegistryFile(), false);
        other.exec(u"BEGIN IMMEDIATE"_s);
        f.messages.answers = {6, 7};  // try again once, then give up
        QCOMPARE(op.NewRecordId(), 0);
        QCOMPARE(f.messages.asked, QStringList({AutoIncLockQuestion, AutoIncLockQuestion}));
        other.exec(u"ROLLBACK"_s);
        QCOMPARE(op.NewRecordId(), 2);
    }
};

QTEST_GUILESS_MAIN(NumberingTest)
#include "tst_numbering.moc"
