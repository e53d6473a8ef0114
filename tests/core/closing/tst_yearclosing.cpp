#include "accounts/ChartStore.h"
#include "accounts/OpeningBalances.h"
#include "closing/YearClosing.h"
#include "demo/DemoFirm.h"
#include "engine/Errors.h"
#include "firm/AccountTotals.h"
#include "posting/JournalLines.h"
#include "registry/FirmChoice.h"
#include "registry/FirmFactory.h"
#include "support/Books.h"
#include "support/TestFixture.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The demo firm with a few months of trade: purchases, a sale at cost, payments.
int TradingDemo(TestFixture &f)
{
    const int id = EnsureDemoFirm(f.fd, 2026);
    if (!OpenFirm(f.fd, f.dm, *f.fd.Firm(id)).opened)
        qFatal("demo firm does not open");
    Db &db = f.dm.db();
    PostLine(db, QDate(2026, 2, 3), 304, {1, 0, 0, 0, 0}, 401, {1, 0, 0, 0, 0}, 300.00, 100);
    PostLine(db, QDate(2026, 2, 3), 4531, {}, 401, {1, 0, 0, 0, 0}, 60.00);
    PostLine(db, QDate(2026, 3, 10), 411, {3, 0, 0, 0, 0}, 702, {}, 900.00);
    PostLine(db, QDate(2026, 3, 10), 411, {3, 0, 0, 0, 0}, 4532, {}, 180.00);
    PostLine(db, QDate(2026, 3, 10), 702, {}, 304, {1, 0, 0, 0, 0}, 450.00, 0, 150);
    PostLine(db, QDate(2026, 4, 1), 401, {2, 0, 0, 0, 0}, 503, {}, 2100.00);
    PostLine(db, QDate(2026, 4, 2), 503, {}, 411, {4, 0, 0, 0, 0}, 1000.00);
    PostLine(db, QDate(2026, 5, 5), 501, {}, 503, {}, 0.10);
    PostLine(db, QDate(2026, 5, 6), 501, {}, 503, {}, 0.20);
    return id;
}
}  // namespace

class YearClosingTest : public QObject {
    Q_OBJECT
private slots:
    void carriedBalancesMatchTheClosingPerKeyAndBalance()
    {
        TestFixture f;
        const int old = TradingDemo(f);
        const ReportingPeriod period = ReadPeriod(f.dm.db());
        const QList<SnsRow> closing = ClosingBalances(f.dm.db());

        const int next = CloseYear(f.fd, old);
        QCOMPARE(f.fd.Firm(next)->Firm_Period, 2027);
        QCOMPARE(f.fd.Firm(next)->Firm_Name, u"Демо ЕООД"_s);

        // Each carried row is the closing balance of its key in the old books.
        for (const SnsRow &row : closing) {
            const TAccountValue v = GetAccountValue(f.dm.db(), row.Sn_UNo, row.Sn_An, period, period.Date_Ot,
                                                    period.Date_Do);
            QVERIFY(v.valid);
            QCOMPARE(row.Sn_St_Dt, v.closeDtSt);
            QCOMPARE(row.Sn_St_Kt, v.closeKtSt);
        }
        const TAccountValue goods1 = GetAccountValue(f.dm.db(), 304, {1, 0, 0, 0, 0}, period, period.Date_Ot,
                                                     period.Date_Do);
        QVERIFY(goods1.closeDtKol > 0);

        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(next)).opened);
        QCOMPARE(f.dm.DateOt(), QDate(2027, 1, 1));
        const OpeningTotals totals = OpeningBalances::Totals(f.dm.db());
        QCOMPARE(totals.debit, totals.credit);
        QCOMPARE(f.dm.RecordCount(u"Sns"_s), closing.size());
        QCOMPARE(f.dm.RecordCount(u"an"_s), 0);
        QCOMPARE(f.dm.RecordCount(u"kontra"_s), 4);
        QCOMPARE(f.dm.RecordCount(u"nom_pap"_s), 4);
        QVERIFY(f.dm.RecordCount(u"op"_s) > 0);  // the everyday templates carry on
        QCOMPARE(ChartStore::Find(f.dm.db(), 304)->S_An[0], 2);
        QSqlQuery cash = f.dm.db().exec(u"select Sn_St_Dt from Sns where Sn_UNo = 501"_s);
        QVERIFY(cash.next());
        // 5,000.00 opening, 12 × 1,500.00 drawn, 8,220.00 of services paid, 0.30 of our own.
        QCOMPARE(cash.value(0).toDouble(), 14780.30);
        QSqlQuery goods = f.dm.db().exec(u"select Sn_Kol_Dt, Sn_St_Dt from Sns where Sn_UNo = 304 and Sn_An1 = 1"_s);
        QVERIFY(goods.next());
        QCOMPARE(goods.value(0).toDouble(), goods1.closeDtKol);
        QCOMPARE(goods.value(1).toDouble(), goods1.closeDtSt);
    }

    void keysThatCloseAtZeroAreNotCarried()
    {
        TestFixture f;
        const int old = TradingDemo(f);
        const ReportingPeriod p = ReadPeriod(f.dm.db());
        const double owed = GetAccountValue(f.dm.db(), 411, {3, 0, 0, 0, 0}, p, p.Date_Ot, p.Date_Do).closeDtSt;
        QVERIFY(owed > 0);
        PostLine(f.dm.db(), QDate(2026, 12, 30), 503, {}, 411, {3, 0, 0, 0, 0}, owed);  // customer 3 pays all
        const int next = CloseYear(f.fd, old);
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(next)).opened);
        QCOMPARE(f.dm.db().scalar(u"select count(*) from Sns where Sn_UNo = 411 and Sn_An1 = 3"_s).toInt(), 0);
    }

    void closingTwiceIsRefusedAndLeavesNothing()
    {
        TestFixture f;
        const int old = TradingDemo(f);
        CloseYear(f.fd, old);
        QString error;
        try {
            CloseYear(f.fd, old);
        } catch (const MyException &e) {
            error = e.message();
        }
        QVERIFY(error.startsWith(u"Годината вече е приключена"_s));
        QCOMPARE(f.fd.Firms().size(), 2);
    }

    void carryingNeedsTheSourceAccounts()
    {
        TestFixture f;
        const int old = TradingDemo(f);
        NewFirmRequest request;
        request.firm.Firm_Name = u"Без сметки"_s;
        request.firm.Firm_Period = 2027;
        request.sourceFirmId = old;
        QVERIFY_THROWS_EXCEPTION(MyException, CreateFirmFrom(f.fd, request, true));
        QCOMPARE(f.fd.Firms().size(), 1);
    }
};

QTEST_GUILESS_MAIN(YearClosingTest)
#include "tst_yearclosing.moc"
