#include "accounts/ChartStore.h"
#include "accounts/FolderStore.h"
#include "accounts/LevelStore.h"
#include "accounts/OpeningBalances.h"
#include "closing/ClosingEntries.h"
#include "closing/ConversionReport.h"
#include "closing/EuroConversion.h"
#include "closing/YearClosing.h"
#include "engine/Rounding.h"
#include "firm/Currency.h"
#include "posting/Documents.h"
#include "posting/Stock.h"
#include "registry/FirmChoice.h"
#include "registry/FirmFactory.h"
#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "statements/StatementComputation.h"
#include "statements/StatementReport.h"
#include "support/Books.h"
#include "support/Golden.h"
#include "support/TestFixture.h"

#include <QSqlQuery>
#include <QTest>

Q_DECLARE_METATYPE(SnsRow)

using namespace Qt::StringLiterals;

namespace {

const KeyRule Plain = [](const SnsRow &) { return KeyConversion::HalfUp; };
const KeyLots Numbers = [](const SnsRow &r) { return QString::number(r.Sn_An[0]); };

SnsRow Dt(int account, double amount, int lot = 0, double kol = 0) { return {account, {lot, 0, 0, 0, 0}, kol, amount, 0, 0}; }
SnsRow Kt(int account, double amount, int lot = 0) { return {account, {lot, 0, 0, 0, 0}, 0, 0, 0, amount}; }

std::optional<SnsRow> Find(const QList<SnsRow> &rows, int account, int lot = 0)
{
    for (const SnsRow &r : rows)
        if (r.Sn_UNo == account && r.Sn_An[0] == lot)
            return r;
    return std::nullopt;
}

// Document 1, which the lines of PostLine belong to.
void FirstDocument(Db &db)
{
    NomPRow doc = Documents::NewDocument(db, 1, ReadPeriod(db), ReadPeriod(db).Date_Ot);
    doc.Nom_DDoc_No = 1;
    Documents::Save(db, doc, true);
}

OpeningTotals Sum(const QList<SnsRow> &rows)
{
    long long dt = 0, kt = 0;
    for (const SnsRow &r : rows)
        dt += ToStotinki(r.Sn_St_Dt), kt += ToStotinki(r.Sn_St_Kt);
    return {FromStotinki(dt), FromStotinki(kt)};
}

QList<SnsRow> OpeningRows(Db &db)
{
    QList<SnsRow> rows;
    QSqlQuery q = db.exec(u"select Sn_UNo, Sn_An1, Sn_Kol_Dt, Sn_St_Dt, Sn_Kol_Kt, Sn_St_Kt from Sns"_s);
    while (q.next())
        rows << SnsRow{q.value(0).toInt(), {q.value(1).toInt(), 0, 0, 0, 0}, q.value(2).toDouble(),
                       q.value(3).toDouble(), q.value(4).toDouble(), q.value(5).toDouble()};
    return rows;
}

// A small leva firm of 2025: three lots of goods at 0.97 each against a supplier's 2.91, the bank
// against the capital, an expense and a sale in the year.
struct LevaFirm {
    TestFixture f;
    int id = 0;
    LevaFirm()
    {
        f.fd.SetAllChecked(false);
        for (int account : {101, 122, 123, 304, 401, 421, 503, 602, 702})
            f.fd.SetChecked(account, true);
        id = f.openNewFirm(u"Превалутиране ООД"_s, 2025);
        Db &db = f.dm.db();
        LevelStore::InsertLevel(db, {1, u"Стоки"_s, NomType::Goods});
        LevelStore::InsertLot(db, {1, 1, u"Олио"_s, u"бр."_s, {}});
        LevelStore::InsertLot(db, {1, 2, u"Захар"_s, u"кг"_s, {}});
        LevelStore::InsertLot(db, {1, 3, u"Брашно"_s, u"кг"_s, {}});
        ChartStore::SetLevels(db, 304, {1, 0, 0, 0, 0});
        OpeningBalances::Insert(db, Dt(304, 0.97, 1, 2));
        OpeningBalances::Insert(db, Dt(304, 0.97, 2, 1));
        OpeningBalances::Insert(db, Dt(304, 0.97, 3, 3));
        OpeningBalances::Insert(db, Kt(401, 2.91));
        OpeningBalances::Insert(db, Dt(503, 1000.00));
        OpeningBalances::Insert(db, Kt(101, 1000.00));
        FirstDocument(db);
        PostLine(db, QDate(2025, 3, 10), 602, {}, 503, {}, 100.00);
        PostLine(db, QDate(2025, 4, 2), 503, {}, 702, {}, 300.00);
    }
    Db &db() { return f.dm.db(); }
    QString text(rk::ReportJob &job)
    {
        rk::PageStore pages;
        rk::RunReport(job, pages);
        return rk::ReportText(pages.count(), [&](int i) { return pages.page(i); });
    }
};

// Every data line of the three statements: this year's previous-year figure is the closed year's
// figure, converted when the currency changed.
void CheckPreviousYear(TestFixture &f, int oldId, int nextId, bool converted)
{
    QMap<QString, double> closed;
    for (int id : {oldId, nextId}) {
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(id)).opened);
        const ReportingPeriod p = ReadPeriod(f.dm.db());
        for (StatementType type : {StatementType::Balance, StatementType::Income, StatementType::CashFlow})
            for (const ComputedLine &l : ComputeStatement(f.dm.db(), f.fd.db(), type, p.Date_Ot, p.Date_Do).lines) {
                if (l.line.OPR_Value != 1)
                    continue;
                const QString key = StatementName(type) + u' ' + QString::number(l.line.OPR_Pok_No);
                if (id == oldId) {
                    const double amount = l.figures.thisYear.value_or(0);
                    closed[key] = converted ? LevaToEuro(amount) : amount;
                } else {
                    QVERIFY2(l.figures.prevYear.value_or(0) == closed.value(key), qPrintable(key));
                }
            }
    }
    QVERIFY(std::any_of(closed.begin(), closed.end(), [](double v) { return v != 0; }));
}

}  // namespace

class EuroConversionTest : public QObject {
    Q_OBJECT
private slots:
    void eachKeyIsConvertedAndTheRoundingDifferenceIsCarried()
    {
        const CurrencyConversion c = ConvertRows({Dt(304, 0.97, 1), Dt(304, 0.97, 2), Dt(304, 0.97, 3), Kt(401, 2.91)},
                                                 Plain, Numbers, 122);
        QCOMPARE(c.euroDebit, 1.50);
        QCOMPARE(c.euroCredit, 1.49);
        QCOMPARE(c.difference, 0.01);
        QCOMPARE(Find(c.rows, 304, 2)->Sn_St_Dt, 0.50);
        QCOMPARE(Find(c.rows, 122)->Sn_St_Kt, 0.01);
        const OpeningTotals totals = Sum(c.rows);
        QCOMPARE(totals.debit, totals.credit);
        // The account's own line names what its keys' rounding added.
        const auto total = std::find_if(c.lines.begin(), c.lines.end(), [](const ConversionLine &l) {
            return l.kind == ConversionLine::AccountTotal && l.account == 304;
        });
        QVERIFY(total != c.lines.end());
        QCOMPARE(total->difference.value_or(0), 0.01);
        QCOMPARE(c.lines.last().kind, ConversionLine::Difference);
        QCOMPARE(c.lines.last().side, u"Кт"_s);
        QCOMPARE(c.lines.last().euro, 0.01);
    }

    void theDifferenceJoinsWhatTheAccountCarries_data()
    {
        QTest::addColumn<SnsRow>("onAccount");
        QTest::addColumn<double>("dt");
        QTest::addColumn<double>("kt");
        QTest::newRow("a profit on 122") << Kt(122, 1.95583) << 0.0 << 1.01;
        QTest::newRow("a loss on 122, netted") << Dt(122, 3.91) << 1.99 << 0.0;
    }
    void theDifferenceJoinsWhatTheAccountCarries()
    {
        QFETCH(SnsRow, onAccount);
        QFETCH(double, dt);
        QFETCH(double, kt);
        // 3 × 0.97 debit against 2.91 credit: 0.01 more debit; the other rows balance in leva.
        QList<SnsRow> rows{Dt(304, 0.97, 1), Dt(304, 0.97, 2), Dt(304, 0.97, 3), Kt(401, 2.91), onAccount};
        rows << (onAccount.Sn_St_Dt ? Kt(101, onAccount.Sn_St_Dt) : Dt(503, onAccount.Sn_St_Kt));
        const CurrencyConversion c = ConvertRows(rows, Plain, Numbers, 122);
        const SnsRow carried = *Find(c.rows, 122);
        QCOMPARE(carried.Sn_St_Dt, dt);
        QCOMPARE(carried.Sn_St_Kt, kt);
        QCOMPARE(std::count_if(c.rows.begin(), c.rows.end(), [](const SnsRow &r) { return r.Sn_UNo == 122; }), 1);
    }

    void staffAccountsRoundUp_data()
    {
        QTest::addColumn<int>("account");
        QTest::addColumn<double>("euro");
        QTest::newRow("421") << 421 << 0.02;
        QTest::newRow("a sub-account of 421") << 4211 << 0.02;
        QTest::newRow("an account marked so") << 425 << 0.02;
        QTest::newRow("a supplier") << 401 << 0.01;
        QTest::newRow("422 is not 421") << 422 << 0.01;
    }
    void staffAccountsRoundUp()
    {
        QFETCH(int, account);
        QFETCH(double, euro);
        const KeyRule staff = [](const SnsRow &r) {
            return RoundsUp(r.Sn_UNo, {425}) ? KeyConversion::Up : KeyConversion::HalfUp;
        };
        const CurrencyConversion c = ConvertRows({Kt(account, 0.02), Dt(503, 0.02)}, staff, Numbers, 122);
        QCOMPARE(Find(c.rows, account)->Sn_St_Kt, euro);
    }

    void anImbalanceIsCarriedConvertedNotPlugged()
    {
        const CurrencyConversion c = ConvertRows({Dt(503, 1000.00), Kt(101, 900.00)}, Plain, Numbers, 122);
        const OpeningTotals totals = Sum(c.rows);
        QCOMPARE(RoundAmount(totals.debit - totals.credit), LevaToEuro(100.00));  // 51.13
        QCOMPARE(totals.debit, 511.29);
        QCOMPARE(c.difference, 0.0);
        QVERIFY(std::any_of(c.lines.begin(), c.lines.end(),
                            [](const ConversionLine &l) { return l.kind == ConversionLine::Imbalance && l.euro == 51.13; }));
    }

    void aCurrencyLotHeldInEuroKeepsItsQuantityAsValue()
    {
        const KeyRule rule = [](const SnsRow &r) {
            return r.Sn_UNo == 502 ? KeyConversion::QuantityIsEuro : KeyConversion::HalfUp;
        };
        const CurrencyConversion c = ConvertRows({Dt(502, 195.60, 1, 100), Kt(101, 195.60)}, rule, Numbers, 122);
        QCOMPARE(Find(c.rows, 502, 1)->Sn_St_Dt, 100.00);
        QCOMPARE(Find(c.rows, 502, 1)->Sn_Kol_Dt, 100.0);
        QCOMPARE(Find(c.rows, 101)->Sn_St_Kt, 100.01);
        QCOMPARE(Find(c.rows, 122)->Sn_St_Dt, 0.01);
        QVERIFY(IsEuroLotName(u" Евро "_s));
        QVERIFY(IsEuroLotName(u"EUR"_s));
        QVERIFY(!IsEuroLotName(u"USD"_s));
    }

    void closingALevaYearOpensTheEuroYearConverted()
    {
        LevaFirm b;
        const ClosingOutcome outcome = CloseYear(b.f.fd, b.id);
        QVERIFY(outcome.conversion.has_value());
        const FirmRecord next = *b.f.fd.Firm(outcome.nextFirmId);
        QCOMPARE(CurrencyOfYear(next.Firm_Period), Currency::Euro);
        QVERIFY(OpenFirm(b.f.fd, b.f.dm, next).opened);
        const QList<SnsRow> rows = OpeningRows(b.db());
        for (int lot : {1, 2, 3})
            QCOMPARE(Find(rows, 304, lot)->Sn_St_Dt, 0.50);
        QCOMPARE(Find(rows, 304, 3)->Sn_Kol_Dt, 3.0);
        QCOMPARE(Find(rows, 401)->Sn_St_Kt, 1.49);
        QCOMPARE(Find(rows, 503)->Sn_St_Dt, LevaToEuro(1200.00));
        QCOMPARE(Find(rows, 101)->Sn_St_Kt, LevaToEuro(1000.00));
        QCOMPARE(Find(rows, 122)->Sn_St_Kt, LevaToEuro(200.00) + 0.01);  // the profit and the difference
        const OpeningTotals totals = OpeningBalances::Totals(b.db());
        QCOMPARE(totals.debit, totals.credit);

        const StoredConversion list = FirmConversion(b.f.fd, next.Firm_ID);
        QCOMPARE(list.sourceYear, 2025);
        QCOMPARE(list.lines.last().difference.value_or(0), 0.01);
        ConversionListJob job(list, next.Firm_Name);
        QVERIFY(MatchesGolden(u"conversion-list.txt"_s, b.text(job), u"core/closing/golden"_s));

        // The previous year's column in euro.
        CheckPreviousYear(b.f, b.id, next.Firm_ID, true);
        QVERIFY(OpenFirm(b.f.fd, b.f.dm, next).opened);
        const ComputedStatement balance = ComputeStatement(b.db(), b.f.fd.db(), StatementType::Balance,
                                                           QDate(2026, 1, 1), QDate(2026, 12, 31));
        StatementReportJob sheet(balance, next.Firm_Name);
        QVERIFY(MatchesGolden(u"balance-sheet-2026.txt"_s, b.text(sheet), u"core/closing/golden"_s));
    }

    // Goods and cash of 0.97 each against a capital of 1.94: line by line 0.50 + 0.50 of assets
    // against 0.99 of liabilities. The cent goes to retained profit and the column balances.
    void thePreviousYearBalanceSheetBalancesInEuro()
    {
        TestFixture f;
        f.fd.SetAllChecked(false);
        for (int account : {101, 122, 123, 304, 503})
            f.fd.SetChecked(account, true);
        const int id = f.openNewFirm(u"Центове ООД"_s, 2025);
        OpeningBalances::Insert(f.dm.db(), Dt(304, 0.97));
        OpeningBalances::Insert(f.dm.db(), Dt(503, 0.97));
        OpeningBalances::Insert(f.dm.db(), Kt(101, 1.94));
        const ClosingOutcome outcome = CloseYear(f.fd, id);
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(outcome.nextFirmId)).opened);
        const ComputedStatement sheet = ComputeStatement(f.dm.db(), f.fd.db(), StatementType::Balance,
                                                         QDate(2026, 1, 1), QDate(2026, 12, 31));
        std::optional<double> assets, liabilities;
        for (const ComputedLine &l : sheet.lines) {
            if (l.line.OPR_Value == 44)
                assets = l.figures.prevYear;
            else if (l.line.OPR_Value == 54)
                liabilities = l.figures.prevYear;
        }
        QCOMPARE(assets.value_or(0), 1.00);
        QCOMPARE(liabilities.value_or(0), 1.00);
    }

    void theFirstReleaseOfTheEuroYearPricesFromTheConvertedBalance()
    {
        LevaFirm b;
        const ClosingOutcome outcome = CloseYear(b.f.fd, b.id);
        QVERIFY(OpenFirm(b.f.fd, b.f.dm, *b.f.fd.Firm(outcome.nextFirmId)).opened);
        Db &db = b.db();
        const ReportingPeriod period = ReadPeriod(db);
        NomPRow doc = Documents::NewDocument(db, 1, period, QDate(2026, 1, 5));
        doc.Nom_DDoc_No = 1;
        Documents::Save(db, doc, true);
        EntryGroup g;
        g.docNo = doc.Nom_Doc_No;
        g.group = Documents::NextGroup(db, doc.Nom_Doc_No);
        g.header.postingDate = QDate(2026, 1, 5);
        WorkLine debit = EntryRules::NewRow(b.f.fd, b.f.dm, g, Grid::BaseDt);
        debit.account = 702;
        g.rows(Grid::BaseDt).append(debit);
        WorkLine release = EntryRules::NewRow(b.f.fd, b.f.dm, g, Grid::BaseKt);
        release.account = 304;
        release.lots = {1, 0, 0, 0, 0};
        release.kol = 1;
        g.rows(Grid::BaseKt).append(release);
        QCOMPARE(Stock::AverageCost(db, g, 0, period).value_or(-1), 0.25);  // 0.50 for 2 units, not 0.97 / 2
    }

    void theNewFirmWizardConvertsTheSameWay()
    {
        LevaFirm b;
        NewFirmRequest request;
        request.firm.Firm_Name = u"Превалутиране 2026"_s;
        request.firm.Firm_Period = 2026;
        request.sourceFirmId = b.id;
        request.copyAccountsAndLots = true;
        const QList<SnsRow> leva = ClosingBalances(b.db());
        const int id = CreateFirmFrom(b.f.fd, request, true);
        QVERIFY(OpenFirm(b.f.fd, b.f.dm, *b.f.fd.Firm(id)).opened);
        const QList<SnsRow> rows = OpeningRows(b.db());
        const CurrencyConversion expected = ConvertRows(leva, Plain, Numbers, 122);
        QCOMPARE(rows.size(), expected.rows.size());
        for (const SnsRow &r : expected.rows) {
            const auto found = Find(rows, r.Sn_UNo, r.Sn_An[0]);
            QVERIFY(found);
            QCOMPARE(found->Sn_St_Dt, r.Sn_St_Dt);
            QCOMPARE(found->Sn_St_Kt, r.Sn_St_Kt);
        }
        QCOMPARE(FirmConversion(b.f.fd, id).lines.size(), expected.lines.size());
    }

    void unbalancedOpeningBalancesAreNamedInLevaAndAskedAbout()
    {
        LevaFirm b;
        OpeningBalances::Insert(b.db(), Dt(421, 100.00));
        const int firms = int(b.f.fd.Firms().size());
        b.f.messages.answers = {Messages::No};
        QVERIFY(CloseYear(b.f.fd, b.id).cancelled);
        QCOMPARE(int(b.f.fd.Firms().size()), firms);
        QVERIFY2(b.f.messages.asked.first().contains(u"разлика 100.00"_s), qPrintable(b.f.messages.asked.first()));
        QVERIFY(b.f.messages.asked.first().contains(u"51.13 евро"_s));

        b.f.messages.answers = {Messages::Yes};
        const ClosingOutcome outcome = CloseYear(b.f.fd, b.id);
        QVERIFY(OpenFirm(b.f.fd, b.f.dm, *b.f.fd.Firm(outcome.nextFirmId)).opened);
        const OpeningTotals totals = OpeningBalances::Totals(b.db());
        QCOMPARE(RoundAmount(totals.debit - totals.credit), 51.13);
    }

    // A closing that cannot carry (here, a rounding-difference account with analytic levels) takes
    // its closing document back: the year is not left recorded as closed without a next year.
    void aClosingThatCannotCarryLeavesTheYearOpen()
    {
        LevaFirm b;
        Db &db = b.f.dm.db();
        FolderStore::Insert(db, {1, u"Банка"_s});  // the folder of the year's document
        const qsizetype firms = b.f.fd.Firms().size();
        ClosingOptions options;
        options.differenceAccount = 304;
        QVERIFY(ErrorOf([&] { CloseYear(b.f.fd, b.id, options); }).contains(u"304"_s));
        QCOMPARE(b.f.fd.Firms().size(), firms);
        QVERIFY(!ClosedBefore(db));
        QCOMPARE(db.scalar(u"select count(*) from nom_pap where Nom_Pap_Name = ?"_s, {ClosingFolderName}).toInt(), 0);
        QCOMPARE(db.scalar(u"select count(*) from doc where Doc_S_Kt = 123 or Doc_S_Dt = 123"_s).toInt(), 0);
        const ClosingOutcome outcome = CloseYear(b.f.fd, b.id);
        QVERIFY(!outcome.repeated);
        QCOMPARE(b.f.fd.Firms().size(), firms + 1);
    }

    void aEuroYearClosesWithoutConversion()
    {
        TestFixture f;
        const int id = f.openNewFirm(u"Евро ООД"_s, 2026);
        Db &db = f.dm.db();
        OpeningBalances::Insert(db, Dt(503, 0.97));
        OpeningBalances::Insert(db, Kt(101, 0.97));
        FirstDocument(db);
        PostLine(db, QDate(2026, 4, 2), 503, {}, 702, {}, 0.97);
        const ClosingOutcome outcome = CloseYear(f.fd, f.fd.currentFirmId);
        QVERIFY(!outcome.conversion);
        QVERIFY(FirmConversion(f.fd, outcome.nextFirmId).isEmpty());
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(outcome.nextFirmId)).opened);
        QCOMPARE(Find(OpeningRows(f.dm.db()), 503)->Sn_St_Dt, 1.94);
        CheckPreviousYear(f, id, outcome.nextFirmId, false);
    }
};

QTEST_MAIN(EuroConversionTest)
#include "tst_euroconversion.moc"
