#include "support/EntryFixture.h"

#include "engine/Errors.h"
#include "posting/GroupPosting.h"
#include "posting/Stock.h"
#include "support/Books.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
struct Line {
    int stNo, grp, ddsType, dt, kt;
    double dtKol, ktKol, st;
};
QList<Line> Lines(Db &db, int docNo)
{
    QList<Line> lines;
    QSqlQuery q = db.exec(u"select Doc_StNo, Doc_StGrp, Doc_DDSType, Doc_S_Dt, Doc_S_Kt, Doc_S_Dt_Kol, Doc_S_Kt_Kol, "
                          "Doc_St from doc where Doc_No = ? order by Doc_StNo"_s,
                          {docNo});
    while (q.next())
        lines.append({q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt(),
                      q.value(4).toInt(), q.value(5).toDouble(), q.value(6).toDouble(), q.value(7).toDouble()});
    return lines;
}
}  // namespace

class GroupPostingTest : public QObject {
    Q_OBJECT
private slots:
    void oneDebitAgainstTwoCreditsCarriesTheDebitQuantity()
    {
        EntryFixture e;
        EntryGroup g = e.group(false);
        e.row(g, Grid::BaseDt, 304, {1, 0, 0, 0, 0}, 100.00, 10);
        e.row(g, Grid::BaseKt, 401, {1, 0, 0, 0, 0}, 60.00);
        e.row(g, Grid::BaseKt, 401, {1, 0, 0, 0, 0}, 40.00);
        QVERIFY(EntryRules::ValidateForSave(e.db(), g, e.period));
        GroupPosting::Save(e.db(), g, e.doc);
        const QList<Line> lines = Lines(e.db(), e.doc.Nom_Doc_No);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].st, 60.0);
        QCOMPARE(lines[1].st, 40.0);
        QCOMPARE(lines[0].dtKol, 10.0);
        QCOMPARE(lines[1].dtKol, 10.0);
        QCOMPARE(lines[1].stNo, lines[0].stNo + 1);
        // Every line has its debit posting 1 and credit posting 2, mirrored.
        QSqlQuery an = e.db().exec(u"select An_ID, An_S_No, An_S_Cr_No, An_S_Dt_St, An_S_Kt_St, An_S_Dt_Kol, "
                                   "An_Pap_No, An_S_An1, An_S_Cr_An1 from an where An_StNo = ? order by An_ID"_s,
                                   {lines[0].stNo});
        QVERIFY(an.next());
        QCOMPARE(an.value(0).toInt(), 1);
        QCOMPARE(an.value(1).toInt(), 304);
        QCOMPARE(an.value(2).toInt(), 401);
        QCOMPARE(an.value(3).toDouble(), 60.0);
        QCOMPARE(an.value(5).toDouble(), 10.0);
        QCOMPARE(an.value(6).toInt(), 1);
        QVERIFY(an.next());
        QCOMPARE(an.value(0).toInt(), 2);
        QCOMPARE(an.value(1).toInt(), 401);
        QCOMPARE(an.value(4).toDouble(), 60.0);
        QCOMPARE(an.value(7).toInt(), 1);
        QCOMPARE(an.value(8).toInt(), 1);
        QVERIFY(!an.next());
    }

    void manyDebitsAgainstOneCredit()
    {
        EntryFixture e;
        EntryGroup g = e.group(false);
        e.row(g, Grid::BaseDt, 501, {}, 30);
        e.row(g, Grid::BaseDt, 503, {}, 70);
        e.row(g, Grid::BaseKt, 411, {2, 0, 0, 0, 0}, 100);
        QVERIFY(EntryRules::ValidateForSave(e.db(), g, e.period));
        GroupPosting::Save(e.db(), g, e.doc);
        const QList<Line> lines = Lines(e.db(), e.doc.Nom_Doc_No);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].dt, 501);
        QCOMPARE(lines[1].dt, 503);
        QCOMPARE(lines[1].kt, 411);
        QCOMPARE(lines[1].st, 70.0);
    }

    void vatSaleSetsTheDocumentTotals()
    {
        EntryFixture e;
        EntryGroup g = e.group(true, 4);
        g.header.kontra = 2;
        e.row(g, Grid::BaseDt, 411, {2, 0, 0, 0, 0}, 120.00);
        e.row(g, Grid::BaseKt, 702, {}, 100.00);
        e.row(g, Grid::VatKt, 4532, {}, 20.00);
        QVERIFY(EntryRules::ValidateForSave(e.db(), g, e.period));
        GroupPosting::Save(e.db(), g, e.doc);
        const QList<Line> lines = Lines(e.db(), e.doc.Nom_Doc_No);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].ddsType, 1);
        QCOMPARE(lines[1].ddsType, 1);
        const NomPRow doc = *Documents::Find(e.db(), e.doc.Nom_Doc_No);
        QCOMPARE(doc.Nom_DOsnova, 100.0);
        QCOMPARE(doc.Nom_DDS, 20.0);
        QCOMPARE(doc.Nom_Dnevnik, 2);
        QCOMPARE(doc.Nom_WithDDS, 1);
        QCOMPARE(doc.Nom_Kontra, 2);
        QCOMPARE(doc.Nom_VidDostavka, 4);
        QCOMPARE(doc.Nom_DDSDate, QDate(2026, 3, 10));
        QCOMPARE(Documents::VatGroup(e.db(), doc.Nom_Doc_No).value_or(0), g.group);
    }

    void vatTotals_data()
    {
        QTest::addColumn<int>("vid");
        QTest::addColumn<int>("docType");
        QTest::addColumn<double>("base");
        QTest::addColumn<double>("excise");
        QTest::addColumn<int>("journal");
        QTest::newRow("purchase with excise") << 1 << 4 << 105.0 << 5.0 << 1;
        QTest::newRow("kind 15 keeps no amounts") << 1 << 15 << 0.0 << 0.0 << 1;
        QTest::newRow("delivery 0 changes nothing") << 0 << 4 << 0.0 << 0.0 << 0;
    }
    void vatTotals()
    {
        QFETCH(int, vid);
        QFETCH(int, docType);
        QFETCH(double, base);
        QFETCH(double, excise);
        QFETCH(int, journal);
        EntryGroup g;
        g.withVat = true;
        g.header.vidDostavka = vid;
        WorkLine r;
        r.st = 100;
        g.rows(Grid::BaseDt).append(r);
        r.st = 105;
        g.rows(Grid::BaseKt).append(r);
        r.st = 5;
        g.rows(Grid::ExciseDt).append(r);
        NomPRow doc;
        doc.Nom_DocType = docType;
        GroupPosting::UpdateVatTotals(doc, g);
        QCOMPARE(doc.Nom_DOsnova, base);
        QCOMPARE(doc.Nom_AccInDOsnova, excise);
        QCOMPARE(doc.Nom_Dnevnik, journal);
        QCOMPARE(doc.Nom_WithDDS, vid == 0 ? 0 : 1);
    }

    void resavingReplacesTheGroupAndKeepsOthers()
    {
        EntryFixture e;
        EntryGroup first = e.group(false);
        e.row(first, Grid::BaseDt, 501, {}, 10);
        e.row(first, Grid::BaseKt, 503, {}, 10);
        QVERIFY(EntryRules::ValidateForSave(e.db(), first, e.period));
        GroupPosting::Save(e.db(), first, e.doc);
        EntryGroup second = e.group(false);
        QCOMPARE(second.group, 2);
        e.row(second, Grid::BaseDt, 501, {}, 7);
        e.row(second, Grid::BaseKt, 503, {}, 7);
        GroupPosting::Save(e.db(), second, e.doc);
        first.rows(Grid::BaseDt).first().st = 12;
        first.rows(Grid::BaseKt).first().st = 12;
        GroupPosting::Save(e.db(), first, e.doc);
        const QList<Line> lines = Lines(e.db(), e.doc.Nom_Doc_No);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].grp, 2);
        QCOMPARE(lines[1].grp, 1);
        QCOMPARE(lines[1].st, 12.0);
        QCOMPARE(e.db().scalar(u"select count(*) from an"_s).toInt(), 4);
        QCOMPARE(e.db().scalar(u"select count(*) from SDt where SDt_Doc = ?"_s, {e.doc.Nom_Doc_No}).toInt(), 2);
    }

    void thePostingDateIsTheDayGiven()
    {
        EntryFixture e;
        EntryGroup g = e.group(false);
        g.header.postingDate = QDate(2026, 3, 31);
        e.row(g, Grid::BaseDt, 501, {}, 25);
        e.row(g, Grid::BaseKt, 503, {}, 25);
        GroupPosting::Save(e.db(), g, e.doc);
        QCOMPARE(e.db().scalar(u"select group_concat(distinct Doc_Date) from doc"_s).toString(), u"2026-03-31"_s);
        QCOMPARE(e.db().scalar(u"select group_concat(distinct An_Date) from an"_s).toString(), u"2026-03-31"_s);
        auto turnover = [&](QDate from, QDate to) {
            return GetAccountValue(e.db(), 501, {}, e.period, from, to).turnDtSt;
        };
        QCOMPARE(turnover(QDate(2026, 1, 1), QDate(2026, 3, 30)), 0.0);
        QCOMPARE(turnover(QDate(2026, 3, 31), QDate(2026, 3, 31)), 25.0);
        QCOMPARE(turnover(QDate(2026, 4, 1), QDate(2026, 12, 31)), 0.0);
    }

    void aNewGroupNeverReplacesAnother()
    {
        EntryFixture e;
        // Two wizards drew the same number for a new group of the document.
        EntryGroup first = e.group(false), second = e.group(false);
        QCOMPARE(first.group, second.group);
        e.row(first, Grid::BaseDt, 501, {}, 10);
        e.row(first, Grid::BaseKt, 503, {}, 10);
        e.row(second, Grid::BaseDt, 501, {}, 7);
        e.row(second, Grid::BaseKt, 503, {}, 7);
        GroupPosting::Save(e.db(), first, e.doc);
        GroupPosting::Save(e.db(), second, e.doc);
        const QList<Line> lines = Lines(e.db(), e.doc.Nom_Doc_No);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].grp, 1);
        QCOMPARE(lines[0].st, 10.0);
        QCOMPARE(lines[1].grp, 2);
        QCOMPARE(lines[1].st, 7.0);
        QCOMPARE(second.group, 2);
        QCOMPARE(e.db().scalar(u"select count(*) from SDt where SDt_Grp = 2"_s).toInt(), 1);
        QCOMPARE(e.db().scalar(u"select count(*) from an"_s).toInt(), 4);
    }

    void aFailedSaveWritesNothingAndKeepsTheInput()
    {
        EntryFixture e;
        EntryGroup g = e.group(true, 2);
        e.row(g, Grid::BaseDt, 304, {1, 0, 0, 0, 0}, 100, 5);
        e.row(g, Grid::VatDt, 4531, {}, 20);
        e.row(g, Grid::BaseKt, 401, {1, 0, 0, 0, 0}, 120);
        e.db().exec(u"CREATE TRIGGER refuse BEFORE INSERT ON SKt BEGIN SELECT RAISE(ABORT, 'пълен диск'); END"_s);
        const NomPRow before = e.doc;
        QVERIFY_THROWS_EXCEPTION(EngineError, GroupPosting::Save(e.db(), g, e.doc));
        QCOMPARE(e.db().scalar(u"select count(*) from doc"_s).toInt(), 0);
        QCOMPARE(e.db().scalar(u"select count(*) from an"_s).toInt(), 0);
        QCOMPARE(e.db().scalar(u"select count(*) from SDt"_s).toInt(), 0);
        QCOMPARE(Documents::Find(e.db(), e.doc.Nom_Doc_No)->Nom_WithDDS, 0);
        QCOMPARE(e.doc.Nom_DDS, before.Nom_DDS);
        QCOMPARE(g.rows(Grid::BaseKt).size(), 1);
        QVERIFY(g.isNew);
        QVERIFY(!Transaction::anyActive());
    }

    // What another user deleted after the wizard checked its rows is checked again under the
    // write lock: a deleted lot, a deleted account. Nothing is written then.
    void anAccountOrLotDeletedSinceTheCheckIsRefused_data()
    {
        QTest::addColumn<QString>("deletion");
        QTest::addColumn<QString>("message");
        QTest::newRow("lot") << u"delete from kontra where Nom_No = 1 and NomEl_No = 1"_s
                             << u"Не е попълнена партида за сметката! 401"_s;
        QTest::newRow("account") << u"delete from s where S_UNo = 401"_s << u"Не е попълнена коректна сметка! 401"_s;
    }
    void anAccountOrLotDeletedSinceTheCheckIsRefused()
    {
        QFETCH(QString, deletion);
        QFETCH(QString, message);
        EntryFixture e;
        EntryGroup g = e.group(false);
        e.row(g, Grid::BaseDt, 304, {1, 0, 0, 0, 0}, 100.00, 10);
        e.row(g, Grid::BaseKt, 401, {1, 0, 0, 0, 0}, 100.00);
        QVERIFY(EntryRules::ValidateForSave(e.db(), g, e.period));
        e.db().exec(deletion);
        QCOMPARE(ErrorOf([&] { GroupPosting::Save(e.db(), g, e.doc); }), message);
        QCOMPARE(e.db().scalar(u"select count(*) from doc"_s).toInt(), 0);
        QVERIFY(!Transaction::anyActive());
    }

    void savingWhileATransactionIsActiveIsRefused()
    {
        EntryFixture e;
        EntryGroup g = e.group(false);
        e.row(g, Grid::BaseDt, 501, {}, 10);
        e.row(g, Grid::BaseKt, 503, {}, 10);
        Transaction busy(e.f.fd.db());
        QString error;
        try {
            GroupPosting::Save(e.db(), g, e.doc);
        } catch (const MyException &ex) {
            error = ex.message();
        }
        QCOMPARE(error, u"Опитайте отново!"_s);
    }
};

QTEST_GUILESS_MAIN(GroupPostingTest)
#include "tst_groupposting.moc"
