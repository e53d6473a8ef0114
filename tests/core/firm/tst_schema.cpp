#include "accounts/OpeningBalances.h"
#include "engine/Errors.h"
#include "firm/Schema.h"
#include "support/Books.h"
#include "support/TestFixture.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace Qt::StringLiterals;

class SchemaTest : public QObject {
    Q_OBJECT
private slots:
    void firmHoldsEveryTableWithItsFields_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("fields");
        QTest::newRow("s") << u"s"_s
                           << u"S_UNo S_An1 S_An2 S_An3 S_An4 S_An5 S_Name S_Act_Pas_Type S_Kol_Val_Type "
                              "S_An_Sint_Type S_KorDt S_KorKt"_s;
        QTest::newRow("nom") << u"nom"_s << u"Nom_No Nom_Name Nom_Type"_s;
        QTest::newRow("nomel") << u"nomel"_s << u"Nom_No NomEl_No NomEl_Name NomEl_Med NomEl_InvNo"_s;
        QTest::newRow("kontra") << u"kontra"_s
                                << u"Nom_No NomEl_No NomEl_Name NomEl_Dn NomEl_Bs NomEl_Sity NomEl_Adres NomEl_Tel "
                                   "NomEl_Other NomEl_BancAcc"_s;
        QTest::newRow("nom_pap") << u"nom_pap"_s << u"Nom_Pap_No Nom_Pap_Name"_s;
        QTest::newRow("nom_p") << u"nom_p"_s
                               << u"Nom_WithDDS Nom_Dnevnik Nom_VidDostavka Nom_DOsnova Nom_AccInDOsnova Nom_DDS "
                                  "Nom_Kontra Nom_DocType Nom_DDoc_No Nom_P_No Nom_Doc_No Nom_Doc_Date Nom_Doc_Osno "
                                  "Nom_DDSDate Nom_DostText Nom_DocNo_Link"_s;
        QTest::newRow("doc") << u"doc"_s
                             << u"Doc_S_Dt_An1 Doc_S_Dt_An5 Doc_S_Kt_An1 Doc_S_Kt_An5 Doc_S_Dt_Kol Doc_S_Kt_Kol Doc_St "
                                "Doc_No Doc_StGrp Doc_StNo Doc_Date Doc_DDSType Doc_Op_No Doc_OpEl_No Doc_S_Dt Doc_S_Kt"_s;
        QTest::newRow("an") << u"an"_s
                            << u"An_S_An1 An_S_An5 An_S_Dt_Kol An_S_Dt_Val An_S_Dt_St An_S_Kt_Kol An_S_Kt_Val "
                               "An_S_Kt_St An_S_Cr_An1 An_S_Cr_An5 An_Doc_No An_StNo An_ID An_Pap_No An_S_No An_Date "
                               "An_S_Cr_No An_Stat_Grp"_s;
        QTest::newRow("Sns") << u"Sns"_s
                             << u"Sn_UNo Sn_An1 Sn_An5 Sn_Kol_Dt Sn_St_Dt Sn_Kol_Kt Sn_St_Kt"_s;
        QTest::newRow("OtPeriod") << u"OtPeriod"_s << u"Date_Ot Date_Do"_s;
        QTest::newRow("net") << u"net"_s << u"NetDoc_ID"_s;
        QTest::newRow("SDt") << u"SDt"_s
                             << u"SDt_Doc SDt_Grp SDt_Id SDt_No SDt_An1 SDt_An5 SDt_Name SDt_DDSType SDt_Kol SDt_St"_s;
        QTest::newRow("SKt") << u"SKt"_s
                             << u"SKt_Doc SKt_Grp SKt_Id SKt_No SKt_An1 SKt_An5 SKt_Name SKt_DDSType SKt_Kol SKt_St"_s;
        QTest::newRow("op") << u"op"_s << u"Op_id Pap_Id Op_Name"_s;
        QTest::newRow("opeldt") << u"opeldt"_s
                                << u"Op_Id OpEl_Id OpEl_No OpEl_An1 OpEl_An5 OpEl_Name OpEl_Type OpEl_Kol OpEl_St"_s;
        QTest::newRow("opelkt") << u"opelkt"_s
                                << u"Op_Id OpEl_Id OpEl_No OpEl_An1 OpEl_An5 OpEl_Name OpEl_Type OpEl_Kol OpEl_St"_s;
        QTest::newRow("SD") << u"SD"_s << u"SD_Month SD_KL71 SD_KL72 SD_KL80 SD_PlDate"_s;
        QTest::newRow("balans_data") << u"balans_data"_s
                                     << u"OPR_ID OPR_Pok_No OPR_Account_Type OPR_Account_No OPR_Account_An1 "
                                        "OPR_Account_An5 OPR_AccCor_No OPR_AccCor_An1 OPR_AccCor_An5 OPR_ConstValue "
                                        "OPR_Kor"_s;
        QTest::newRow("opr_data") << u"opr_data"_s << u"OPR_Pok_No OPR_Account_Type OPR_ConstValue"_s;
        QTest::newRow("OPRTmp") << u"OPRTmp"_s << u"OPR_Pok_No OPR_This_Year OPR_Prev_Year OPR_OS OPR_Kor"_s;
    }
    void firmHoldsEveryTableWithItsFields()
    {
        QFETCH(QString, table);
        QFETCH(QString, fields);
        TestFixture f;
        f.openNewFirm();
        for (const QString &field : fields.split(u' '))
            QVERIFY2(f.dm.db().fieldExists(table, field), qPrintable(table + u'.' + field));
    }

    void firmHoldsAllTwentyFiveMaskedTables()
    {
        TestFixture f;
        f.openNewFirm();
        QCOMPARE(Schema::FirmMasks().size(), 25);
        QCOMPARE(Schema::FirstMissingMask(f.dm.db(), Schema::FirmMasks()), QString());
        QCOMPARE(Schema::RegistryMasks().size(), 10);
        QCOMPARE(f.fd.MissingRegistryMask(), QString());
    }

    void newAccountStartsWithItsDefaults()
    {
        TestFixture f;
        f.openNewFirm();
        f.dm.db().exec(u"delete from s"_s);
        f.dm.db().exec(u"insert into s (S_Name) values ('нова')"_s);
        QSqlQuery q = f.dm.db().exec(u"select S_UNo, S_An1, S_An5, S_Act_Pas_Type, S_Kol_Val_Type, S_An_Sint_Type from s"_s);
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 0);
        QCOMPARE(q.value(1).toInt(), 0);
        QCOMPARE(q.value(2).toInt(), 0);
        QCOMPARE(q.value(3).toInt(), 1);
        QCOMPARE(q.value(4).toInt(), 1);
        QCOMPARE(q.value(5).toInt(), 1);
    }

    void constraintsAnswerWithTheirMessages_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("message");
        QTest::newRow("account 10000") << u"insert into s (S_UNo, S_Name) values (10000, 'x')"_s
                                       << Schema::AccountNumberMessage;
        QTest::newRow("account -1") << u"insert into s (S_UNo, S_Name) values (-1, 'x')"_s
                                    << Schema::AccountNumberMessage;
        QTest::newRow("document 0") << u"insert into nom_p (Nom_Doc_No, Nom_DDoc_No) values (1, 0)"_s
                                    << Schema::DocumentNumberMessage;
        QTest::newRow("document 10000000000")
            << u"insert into nom_p (Nom_Doc_No, Nom_DDoc_No) values (1, 10000000000)"_s << Schema::DocumentNumberMessage;
        QTest::newRow("account 9999 accepted") << u"insert into s (S_UNo, S_Name) values (9999, 'x')"_s
                                               << QString();
        QTest::newRow("document 9999999999 accepted")
            << u"insert into nom_p (Nom_Doc_No, Nom_DDoc_No) values (1, 9999999999)"_s << QString();
        QTest::newRow("second opening balance for a key")
            << u"insert into Sns (Sn_UNo, Sn_An1) values (501, 0), (501, 0)"_s << Schema::OpeningBalanceKeyMessage;
        QTest::newRow("other errors keep the engine text") << u"insert into no_such_table values (1)"_s
                                                  << u"no such table: no_such_table Unable to execute statement"_s;
    }
    void constraintsAnswerWithTheirMessages()
    {
        QFETCH(QString, sql);
        QFETCH(QString, message);
        TestFixture f;
        f.openNewFirm();
        f.dm.db().exec(u"delete from s where S_UNo = 9999"_s);
        const QString error = ErrorOf([&] { f.dm.db().exec(sql); });
        if (message.startsWith(u"no such table"_s))
            QVERIFY2(error.startsWith(u"no such table: no_such_table"_s), qPrintable(error));
        else
            QCOMPARE(error, message);
    }

    void openingBalanceIsRoundedBeforePost()
    {
        TestFixture f;
        f.openNewFirm();
        OpeningBalances::Insert(f.dm.db(), {304, {1, 0, 0, 0, 0}, 1.23456, 10.005, 0, 0});
        QSqlQuery q = f.dm.db().exec(u"select Sn_Kol_Dt, Sn_St_Dt from Sns where Sn_UNo = 304"_s);
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toDouble(), 1.2346);
        QCOMPARE(q.value(1).toDouble(), 10.01);
    }

    void totalsQueryReadsTheCoveringIndex()
    {
        TestFixture f;
        f.openNewFirm();
        QSqlQuery q = f.dm.db().exec(
            u"EXPLAIN QUERY PLAN select sum(An_S_Dt_St), sum(An_S_Kt_St), sum(An_S_Dt_Kol), sum(An_S_Kt_Kol) "
            "from an where An_S_No = ? and An_Date between ? and ? and An_S_An1 = ?"_s,
            {411, u"2026-01-01"_s, u"2026-12-31"_s, 3});
        QString plan;
        while (q.next())
            plan += q.value(3).toString() + u'\n';
        QVERIFY2(plan.contains(u"USING COVERING INDEX an_totals"_s), qPrintable(plan));
    }

    void onlyOneTransactionAtATime()
    {
        TestFixture f;
        f.openNewFirm();
        {
            Transaction first(f.dm.db());
            f.dm.db().exec(u"insert into nom_pap (Nom_Pap_No, Nom_Pap_Name) values (1, 'a')"_s);
            QCOMPARE(ErrorOf([&] { Transaction second(f.fd.db(), Transaction::Kind::Write, u"Опитайте отново!"_s); }),
                     u"Опитайте отново!"_s);
            QVERIFY(Transaction::anyActive());
        }  // not committed: rolled back
        QVERIFY(!Transaction::anyActive());
        QCOMPARE(f.dm.RecordCount(u"nom_pap"_s), 0);
        {
            Transaction tx(f.dm.db());
            f.dm.db().exec(u"insert into nom_pap (Nom_Pap_No, Nom_Pap_Name) values (1, 'a')"_s);
            tx.commit();
        }
        QCOMPARE(f.dm.RecordCount(u"nom_pap"_s), 1);
    }

    void newerFileIsRefused()
    {
        TestFixture f;
        const int id = f.makeFirm();
        {
            Db db(u"bump"_s);
            db.open(f.fd.Firm(id)->Firm_DataPath + Schema::FirmFileName, false);
            db.setUserVersion(Schema::FirmVersion() + 1);
        }
        const QString error = ErrorOf([&] { f.dm.Open(f.fd.Firm(id)->Firm_DataPath); });
        QVERIFY2(error.startsWith(u"Файлът е създаден от по-нова версия"_s), qPrintable(error));
        QVERIFY(!f.dm.IsConnected());
    }
};

QTEST_GUILESS_MAIN(SchemaTest)
#include "tst_schema.moc"
