#include "accounts/ChartStore.h"
#include "accounts/LevelStore.h"
#include "accounts/OpeningBalances.h"
#include "closing/CarriedBalances.h"
#include "closing/KeyTotals.h"
#include "closing/PreviousYear.h"
#include "closing/YearClosing.h"
#include "demo/DemoFirm.h"
#include "engine/Errors.h"
#include "engine/Rounding.h"
#include "firm/AccountTotals.h"
#include "firm/VatRate.h"
#include "posting/Documents.h"
#include "registry/FirmChoice.h"
#include "registry/FirmFactory.h"
#include "support/Books.h"
#include "support/TestFixture.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The demo firm with a few more months of trade: purchases, a sale at cost, payments.
int TradingDemo(TestFixture &f)
{
    const int id = EnsureDemoFirm(f.fd, 2026);
    if (!OpenFirm(f.fd, f.dm, *f.fd.Firm(id)).opened)
        qFatal("demo firm does not open");
    Db &db = f.dm.db();
    PostLine(db, QDate(2026, 2, 3), 304, {1, 0, 0, 0, 0}, 401, {1, 0, 0, 0, 0}, 300.00, 100);
    PostLine(db, QDate(2026, 3, 10), 411, {3, 0, 0, 0, 0}, 702, {}, 900.00);
    PostLine(db, QDate(2026, 3, 10), 702, {}, 304, {1, 0, 0, 0, 0}, 450.00, 0, 150);
    PostLine(db, QDate(2026, 5, 5), 501, {}, 503, {}, 0.10);
    return id;
}

// A new firm of 2026 whose document 1 holds the lines the tests post.
Db &NewBooks(TestFixture &f, const QString &name)
{
    f.openNewFirm(name, 2026);
    Db &db = f.dm.db();
    NomPRow doc = Documents::NewDocument(db, 1, ReadPeriod(db), QDate(2026, 1, 2));
    doc.Nom_DDoc_No = 1;
    Documents::Save(db, doc, true);
    return db;
}

// The opening balances of a firm, by key.
QMap<QString, SnsRow> Opening(Db &db)
{
    QMap<QString, SnsRow> rows;
    QSqlQuery q = db.exec(u"select Sn_UNo, Sn_An1, Sn_An2, Sn_An3, Sn_An4, Sn_An5, Sn_Kol_Dt, Sn_St_Dt, Sn_Kol_Kt, "
                          "Sn_St_Kt from Sns"_s);
    while (q.next()) {
        const SnsRow row{q.value(0).toInt(),
                         {q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt(), q.value(4).toInt(),
                          q.value(5).toInt()},
                         q.value(6).toDouble(), q.value(7).toDouble(), q.value(8).toDouble(), q.value(9).toDouble()};
        rows.insert(DescribeBalance(row).section(u':', 0, 0), row);
    }
    return rows;
}

double Debit(const QMap<QString, SnsRow> &rows, int account)
{
    double sum = 0;
    for (const SnsRow &r : rows)
        if (r.Sn_UNo == account)
            sum += r.Sn_St_Dt - r.Sn_St_Kt;
    return RoundAmount(sum);
}

// Debit turnovers of the expense accounts and credit turnovers of the income accounts.
QMap<int, double> StatementTurnovers(Db &db)
{
    const ReportingPeriod p = ReadPeriod(db);
    QMap<int, double> turnovers;
    for (const SRow &a : ChartStore::All(db))
        if (ClosesAgainstResult(a.S_UNo)) {
            const TAccountValue v = GetAccountValue(db, a.S_UNo, {}, p, p.Date_Ot, p.Date_Do);
            turnovers[a.S_UNo] = QString::number(a.S_UNo).startsWith(u'6') ? v.turnDtSt : v.turnKtSt;
        }
    return turnovers;
}

int ClosingDocuments(Db &db)
{
    return db.scalar(u"select count(*) from nom_p join nom_pap on nom_pap.Nom_Pap_No = nom_p.Nom_P_No "
                     "where nom_pap.Nom_Pap_Name = ?"_s,
                     {ClosingFolderName})
        .toInt();
}

}  // namespace

class YearClosingTest : public QObject {
    Q_OBJECT
private slots:
    void incomeAndExpensesCloseAgainst123AndTheResultOpensOn122()
    {
        TestFixture f;
        const int old = TradingDemo(f);
        Db &db = f.dm.db();
        const QMap<int, double> turnovers = StatementTurnovers(db);
        const double equity = -Debit(Opening(db), 122);
        double result = 0;
        for (const auto &[key, v] : KeyTotals(db))
            if (ClosesAgainstResult(key.first) && !LeftOpen(key.first, DefaultLeftOpen))
                result -= SignedValue(v);
        SetStandardVatRate(db, 9);

        const ClosingOutcome outcome = CloseYear(f.fd, old);
        QVERIFY(outcome.closingDocNo > 0);
        QCOMPARE(ClosingDocuments(db), 1);
        QCOMPARE(Documents::Find(db, outcome.closingDocNo)->Nom_Doc_Date, QDate(2026, 12, 31));
        for (const auto &[key, v] : KeyTotals(db))
            if (ClosesAgainstResult(key.first) && !LeftOpen(key.first, DefaultLeftOpen)) {
                QCOMPARE(SignedValue(v), 0.0);
                QCOMPARE(SignedQuantity(v), 0.0);
            }
        QCOMPARE(StatementTurnovers(db), turnovers);

        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(outcome.nextFirmId)).opened);
        QCOMPARE(f.dm.DateOt(), QDate(2027, 1, 1));
        const QMap<QString, SnsRow> next = Opening(f.dm.db());
        for (const SnsRow &row : next)
            QVERIFY2(!ClosesAgainstResult(row.Sn_UNo), qPrintable(DescribeBalance(row)));
        const OpeningTotals totals = OpeningBalances::Totals(f.dm.db());
        QCOMPARE(RoundAmount(totals.debit), RoundAmount(totals.credit));
        QCOMPARE(Debit(next, ResultAccount), 0.0);
        QVERIFY(result > 0);
        QCOMPARE(-Debit(next, 122) + Debit(next, 121), RoundAmount(equity + result));
        QCOMPARE(f.dm.RecordCount(u"an"_s), 0);
        QCOMPARE(f.dm.RecordCount(u"kontra"_s), 4);
        QCOMPARE(ChartStore::Find(f.dm.db(), 304)->S_An[0], 2);
        QVERIFY(f.dm.RecordCount(u"op"_s) > 0);  // templates came along
        QCOMPARE(StandardVatRate(f.dm.db()), 9.0);
    }

    void aKeyOnTheUnusualSideClosesWithARedReversal()
    {
        TestFixture f;
        Db &db = NewBooks(f, u"Сторно"_s);
        PostLine(db, QDate(2026, 2, 1), 609, {}, 501, {}, 40.00);
        PostLine(db, QDate(2026, 2, 2), 501, {}, 609, {}, 100.00);  // a refund beyond the cost
        PostLine(db, QDate(2026, 3, 1), 501, {}, 709, {}, 30.00);
        PostLine(db, QDate(2026, 3, 2), 709, {}, 501, {}, 50.00);  // more given back than earned
        const ClosingOutcome outcome = CloseYear(f.fd, f.fd.currentFirmId);
        QSqlQuery lines = db.exec(u"select Doc_S_Dt, Doc_S_Kt, Doc_St from doc where Doc_No = ? order by Doc_StNo"_s,
                                  {outcome.closingDocNo});
        QStringList posted;
        while (lines.next())
            posted << u"%1/%2 %3"_s.arg(lines.value(0).toInt()).arg(lines.value(1).toInt()).arg(lines.value(2).toDouble());
        QCOMPARE(posted, (QStringList{u"123/609 -60"_s, u"709/123 -20"_s}));
        const ReportingPeriod p = ReadPeriod(db);
        const TAccountValue expense = GetAccountValue(db, 609, {}, p, p.Date_Ot, p.Date_Do);
        QCOMPARE(expense.turnDtSt, 40.0);
        QCOMPARE(expense.closeDtSt + expense.closeKtSt, 0.0);
        const TAccountValue income = GetAccountValue(db, 709, {}, p, p.Date_Ot, p.Date_Do);
        QCOMPARE(income.turnKtSt, 30.0);
        QCOMPARE(income.closeDtSt + income.closeKtSt, 0.0);
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(outcome.nextFirmId)).opened);
        QCOMPARE(Debit(Opening(f.dm.db()), 122), -40.0);  // 60.00 gained on 609, 20.00 lost on 709
    }

    void accountsLeftOpenAreCarriedAndTheResultCanStayOn123_data()
    {
        QTest::addColumn<QList<int>>("leftOpen");
        QTest::addColumn<bool>("broughtForward");
        QTest::addColumn<double>("carried611");
        QTest::addColumn<double>("carried123");
        QTest::newRow("the usual closing") << DefaultLeftOpen << true << 70.0 << 0.0;
        QTest::newRow("611 closed too") << QList<int>{613} << true << 0.0 << 0.0;
        QTest::newRow("result kept on 123") << DefaultLeftOpen << false << 70.0 << 25.0;
    }
    void accountsLeftOpenAreCarriedAndTheResultCanStayOn123()
    {
        QFETCH(QList<int>, leftOpen);
        QFETCH(bool, broughtForward);
        QFETCH(double, carried611);
        QFETCH(double, carried123);
        TestFixture f;
        Db &db = NewBooks(f, u"Производство"_s);
        ChartStore::Insert(db, SRow{611, {}, u"Разходи за основна дейност"_s, 1, 1, 1});
        PostLine(db, QDate(2026, 4, 1), 611, {}, 501, {}, 70.00);  // work in progress
        PostLine(db, QDate(2026, 4, 2), 602, {}, 501, {}, 25.00);
        const ClosingOutcome outcome = CloseYear(f.fd, f.fd.currentFirmId, {.leftOpen = leftOpen, .resultBroughtForward = broughtForward});
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(outcome.nextFirmId)).opened);
        const QMap<QString, SnsRow> next = Opening(f.dm.db());
        QCOMPARE(Debit(next, 611), carried611);
        QCOMPARE(Debit(next, ResultAccount), carried123);
        QCOMPARE(Debit(next, 121), broughtForward ? 25.0 + 70.0 - carried611 : 0.0);
    }

    void keysWithQuantityAndNoValueAreCarried()
    {
        TestFixture f;
        Db &db = NewBooks(f, u"Склад"_s);
        PostLine(db, QDate(2026, 2, 1), 304, {}, 401, {}, 100.00, 10);
        PostLine(db, QDate(2026, 3, 1), 702, {}, 304, {}, 100.00, 0, 8);  // the whole value, 8 of 10 units
        const ClosingOutcome outcome = CloseYear(f.fd, f.fd.currentFirmId);
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(outcome.nextFirmId)).opened);
        const QMap<QString, SnsRow> next = Opening(f.dm.db());
        const SnsRow goods = next.value(u"304 / 0 / 0 / 0 / 0 / 0"_s);
        QCOMPARE(goods.Sn_Kol_Dt, 2.0);
        QCOMPARE(goods.Sn_St_Dt, 0.0);
    }

    void openingBalancesThatDoNotBalanceAreNamedAndCarriedAsTheyAre()
    {
        TestFixture f;
        Db &db = NewBooks(f, u"Разлика"_s);
        OpeningBalances::Insert(db, {501, {}, 0, 1000.00, 0, 0});
        OpeningBalances::Insert(db, {101, {}, 0, 0, 0, 900.00});
        f.messages.answers = {Messages::Yes};
        const ClosingOutcome outcome = CloseYear(f.fd, f.fd.currentFirmId);
        QCOMPARE(f.messages.asked.first(), OpeningDifference({1000.00, 900.00}, 2026) + u"\r"_s + ProceedQuestion);
        QVERIFY(f.messages.asked.first().contains(u"разлика 100.00"_s));
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(outcome.nextFirmId)).opened);
        const OpeningTotals totals = OpeningBalances::Totals(f.dm.db());
        QCOMPARE(RoundAmount(totals.debit - totals.credit), 100.00);  // printed, never plugged
    }

    void closingAgainNeedsToBeAskedFor()
    {
        TestFixture f;
        const int old = TradingDemo(f);
        const ClosingOutcome first = CloseYear(f.fd, old);
        const QString error = ErrorOf([&] { CloseYear(f.fd, old); });
        QVERIFY2(error.startsWith(ClosedBeforeMessage), qPrintable(error));
        QCOMPARE(f.fd.Firms().size(), 2);
        QCOMPARE(ClosedBefore(f.dm.db())->docNo, first.closingDocNo);
    }

    void closingAgainCarriesTheCorrectionsAndKeepsWhatWasChangedByHand()
    {
        TestFixture f;
        const int old = TradingDemo(f);
        Db &db = f.dm.db();
        const ClosingOutcome first = CloseYear(f.fd, old);
        PostLine(db, QDate(2026, 12, 31), 123, {}, 452, {}, 300.00);  // profit tax, after the closing
        PostLine(db, QDate(2026, 11, 30), 602, {}, 501, {}, 100.00);  // a late invoice
        int handLine = 0;
        double handValue = 0;
        {
            TDM next;
            next.Open(f.fd.Firm(first.nextFirmId)->Firm_DataPath);
            next.db().exec(u"update Sns set Sn_St_Dt = Sn_St_Dt + 1 where Sn_UNo = 411 and Sn_An1 = 4"_s);
            // A previous-year figure of the balance sheet typed over by the accountant.
            QSqlQuery typed = next.db().exec(u"select OPR_Pok_No, OPR_ConstValue from balans_data where "
                                             "OPR_Account_Type = ? order by OPR_Pok_No limit 1"_s,
                                             {IncludeKind::PreviousYear});
            QVERIFY(typed.next());
            handLine = typed.value(0).toInt();
            handValue = typed.value(1).toDouble() + 5;
            next.db().exec(u"update balans_data set OPR_ConstValue = ? where OPR_Account_Type = ? and OPR_Pok_No = ?"_s,
                           {handValue, IncludeKind::PreviousYear, handLine});
        }
        const ClosingOutcome again = CloseYear(f.fd, old, {.replace = true});
        QVERIFY(again.repeated);
        QCOMPARE(again.nextFirmId, first.nextFirmId);
        QCOMPARE(f.fd.Firms().size(), 2);
        QCOMPARE(ClosingDocuments(db), 1);
        QVERIFY(!Documents::Find(db, first.closingDocNo));
        QCOMPARE(db.scalar(u"select count(*) from doc where Doc_S_Dt = 123 and Doc_S_Kt = 452"_s).toInt(), 1);
        QCOMPARE(again.notes.size(), 2);
        QVERIFY2(again.notes.first().contains(u"411 / 4 / 0 / 0 / 0 / 0: Дт"_s), qPrintable(again.notes.first()));
        QVERIFY2(again.notes.last().endsWith(StatementName(StatementType::Balance) + u", ред "_s
                                             + QString::number(handLine)),
                 qPrintable(again.notes.last()));

        // The previous-year figures are the corrected year's, but for the line typed over.
        const QList<PreviousYearLine> fresh = ClosedYearFigures(db, f.fd.db(), [](double v) { return v; });
        {
            TDM next;
            next.Open(f.fd.Firm(again.nextFirmId)->Firm_DataPath);
            for (const PreviousYearLine &line : fresh) {
                const double stored = next.db()
                                          .scalar(u"select sum(OPR_ConstValue) from "_s + IncludeTableOf(line.type)
                                                      + u" where OPR_Account_Type = ? and OPR_Pok_No = ?"_s,
                                                  {IncludeKind::PreviousYear, line.lineNo})
                                          .toDouble();
                const bool typedOver = line.type == StatementType::Balance && line.lineNo == handLine;
                QCOMPARE(RoundAmount(stored), RoundAmount(typedOver ? handValue : line.amount));
            }
            QVERIFY(std::any_of(fresh.begin(), fresh.end(),
                                [](const PreviousYearLine &l) { return l.type == StatementType::Income; }));
        }

        // The next year opens as a first closing of the corrected books would, but for the key
        // changed by hand.
        const QList<SnsRow> expected = ResultBroughtForward(ClosingBalances(db));
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(again.nextFirmId)).opened);
        const QMap<QString, SnsRow> next = Opening(f.dm.db());
        QCOMPARE(next.size(), expected.size());
        for (const SnsRow &row : expected) {
            const QString key = DescribeBalance(row).section(u':', 0, 0);
            const double handEdit = row.Sn_UNo == 411 && row.Sn_An[0] == 4 ? 1.0 : 0.0;
            QCOMPARE(next.value(key).Sn_St_Dt, RoundAmount(row.Sn_St_Dt + handEdit));
            QCOMPARE(next.value(key).Sn_St_Kt, row.Sn_St_Kt);
            QCOMPARE(next.value(key).Sn_Kol_Dt, row.Sn_Kol_Dt);
        }
        QCOMPARE(Debit(next, 452), -300.00);
    }

    // Accounts and lots opened in the closed year after its first closing reach the next year
    // with a repeat closing: the account with its levels, the counterparty with its name.
    void aRepeatClosingBringsAccountsAndLotsOpenedSince()
    {
        TestFixture f;
        const int old = TradingDemo(f);
        Db &db = f.dm.db();
        const ClosingOutcome first = CloseYear(f.fd, old);
        const int level = ChartStore::Find(db, 411)->S_An[0];
        const int lot = db.scalar(u"select max(NomEl_No) from kontra where Nom_No = ?"_s, {level}).toInt() + 1;
        LevelStore::InsertKontra(db, {level, lot, u"Нов клиент ООД"_s, {}, {}, {}, {}, {}, {}, {}});
        ChartStore::Insert(db, SRow{4119, {level, 0, 0, 0, 0}, u"Други клиенти"_s, 1, 1, 2});
        PostLine(db, QDate(2026, 6, 1), 4119, {lot, 0, 0, 0, 0}, 702, {}, 250.00);
        const ClosingOutcome again = CloseYear(f.fd, old, {.replace = true});
        QCOMPARE(again.nextFirmId, first.nextFirmId);
        TDM next;
        next.Open(f.fd.Firm(again.nextFirmId)->Firm_DataPath);
        const auto account = ChartStore::Find(next.db(), 4119);
        QVERIFY(account);
        QCOMPARE(account->S_An[0], level);
        QCOMPARE(next.db()
                     .scalar(u"select NomEl_Name from kontra where Nom_No = ? and NomEl_No = ?"_s, {level, lot})
                     .toString(),
                 u"Нов клиент ООД"_s);
        QCOMPARE(Opening(next.db()).value(u"4119 / %1 / 0 / 0 / 0 / 0"_s.arg(lot)).Sn_St_Dt, 250.00);
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

    void accountListsAsTyped()
    {
        QCOMPARE(ParseAccountList(u"611, 612 ;613"_s), (QList<int>{611, 612, 613}));
        QCOMPARE(ParseAccountList(u""_s), QList<int>{});
        QVERIFY(!ParseAccountList(u"611, шест"_s));
        QVERIFY(!ParseAccountList(u"10000"_s));
    }
};

QTEST_GUILESS_MAIN(YearClosingTest)
#include "tst_yearclosing.moc"
