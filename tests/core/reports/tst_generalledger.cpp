#include "support/ReportFixture.h"

#include "accounts/ChartStore.h"
#include "engine/Errors.h"
#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "reports/GeneralLedger.h"
#include "reports/ReportParts.h"
#include "reports/TrialBalance.h"
#include "support/Golden.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
using ReportParts::Money;

// The rows of an account's section, from its account row to its closing row; empty when the
// ledger has no section for it.
QString SectionOf(const QString &ledger, int account)
{
    const QRegularExpression start(u"^"_s + QString::number(account) + u" {2,}\\S"_s, QRegularExpression::MultilineOption);
    const auto m = start.match(ledger);
    if (!m.hasMatch())
        return {};
    const int end = int(ledger.indexOf(u'\n', ledger.indexOf(u"Крайно салдо:"_s, m.capturedStart())));
    return ledger.mid(m.capturedStart(), end - m.capturedStart());
}

// Opening, turnovers (summed) and closing amounts of a section, debit then credit.
std::array<double, 6> SectionFigures(const QString &section)
{
    static const QRegularExpression row(u"^(Начални салдо|Обороти|Крайно салдо):\\s+(-?\\d+\\.\\d\\d)\\s+(-?\\d+\\.\\d\\d)"_s,
                                        QRegularExpression::MultilineOption);
    std::array<double, 6> figures{};
    for (auto it = row.globalMatch(section); it.hasNext();) {
        const auto m = it.next();
        const size_t at = m.captured(1) == u"Начални салдо"_s ? 0 : m.captured(1) == u"Обороти"_s ? 2 : 4;
        figures[at] += m.captured(2).toDouble();
        figures[at + 1] += m.captured(3).toDouble();
    }
    return figures;
}

QString Ledger(ReportFixture &r, QDate from, QDate to)
{
    GeneralLedgerJob job(r.db(), {from, to, u"Отчети ООД"_s});
    rk::PageList pages;
    rk::RunReport(job, pages);
    return rk::ReportText(int(pages.pages.size()), [&](int i) { return pages.pages.at(i); });
}
}  // namespace

class GeneralLedgerTest : public QObject {
    Q_OBJECT
private slots:
    void matchesItsGoldenText()
    {
        ReportFixture r;
        QVERIFY(MatchesGolden(u"general-ledger.txt"_s, Ledger(r, QDate(2025, 1, 1), QDate(2025, 12, 31))));
    }

    // A period that starts after the first day opens with what the days before it carried over:
    // 304 took 200.00 in February and gave 125.00 in March on top of its 50.00, and prints in
    // April without a turnover.
    void openingIsThePeriodsAndClosingTheRangesEnd()
    {
        ReportFixture r;
        const QString text = Ledger(r, QDate(2025, 4, 1), QDate(2025, 4, 30));
        const QString section = SectionOf(text, 304);
        QVERIFY2(section.contains(u"Начални салдо:                         125.00"_s), qPrintable(section));
        QVERIFY2(!section.contains(u"Обороти:"_s), qPrintable(section));
        QVERIFY2(section.contains(u"Крайно салдо:                          125.00"_s), qPrintable(section));
        // 411 carries 300.00 into April and is paid in full.
        const QString paid = SectionOf(text, 411);
        QVERIFY2(paid.contains(u"Начални салдо:                         300.00               0.00"_s), qPrintable(paid));
        QVERIFY2(paid.contains(u"Крайно салдо:                            0.00               0.00"_s), qPrintable(paid));
    }

    // Opening, turnovers and closing of every section are the trial balance's figures of the
    // account, and the columns add up to the trial balance's totals.
    void ledgerEqualsTheTrialBalance_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::newRow("from 1 January") << QDate(2025, 1, 1) << QDate(2025, 12, 31);
        QTest::newRow("from 1 March") << QDate(2025, 3, 1) << QDate(2025, 12, 31);
        QTest::newRow("31 December") << QDate(2025, 12, 31) << QDate(2025, 12, 31);
    }
    void ledgerEqualsTheTrialBalance()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        ReportFixture r;
        r.addReversalsAndLargeAmounts();
        const QString text = Ledger(r, from, to);
        TrialBalanceJob trial(r.db(), {from, to, u"Отчети ООД"_s, 0, false, false});
        rk::PageList discard;
        rk::RunReport(trial, discard);
        std::array<double, 6> sums{};
        int sections = 0;
        for (const SRow &account : ChartStore::All(r.db())) {
            const TAccountValue v = GetAccountValue(r.db(), account.S_UNo, {}, r.period, from, to);
            QVERIFY(v.valid);
            const std::array<double, 6> expected = {v.openDtSt, v.openKtSt, v.turnDtSt, v.turnKtSt, v.closeDtSt, v.closeKtSt};
            const QString section = SectionOf(text, account.S_UNo);
            if (section.isEmpty()) {
                QVERIFY2(std::all_of(expected.begin(), expected.begin() + 4, [](double x) { return x == 0; }),
                         qPrintable(QString::number(account.S_UNo)));
                continue;
            }
            ++sections;
            const std::array<double, 6> printed = SectionFigures(section);
            for (size_t i = 0; i < 6; ++i) {
                QCOMPARE(Money(printed[i]), Money(expected[i]));
                sums[i] += printed[i];
            }
        }
        QVERIFY(sections >= 5);
        const std::array<double, 12> totals = trial.totals();
        for (size_t i = 0; i < 6; ++i)
            QCOMPARE(Money(sums[i]), Money(totals[2 * i + 1]));
    }

    // From 1 March, with a line reversed and amounts of a hundred thousand million: every
    // section has its heading, account, opening and closing rows, and no figure runs into
    // another.
    void harderBooksMatchTheirGoldenText()
    {
        ReportFixture r;
        r.addReversalsAndLargeAmounts();
        QVERIFY(MatchesGolden(u"general-ledger-from-march.txt"_s, Ledger(r, QDate(2025, 3, 1), QDate(2025, 12, 31))));
    }

    // A section whose first corresponding account nets to 0.00 keeps its heading and account.
    void aReversedFirstLineKeepsTheHeading()
    {
        ReportFixture r;
        r.addReversalsAndLargeAmounts();
        const QString section = SectionOf(Ledger(r, QDate(2025, 7, 1), QDate(2025, 7, 31)), 602);
        QVERIFY2(section.startsWith(u"602     Разходи за външни услуги\nНачални салдо:                          80.00"_s),
                 qPrintable(section));
        const QString ledger = Ledger(r, QDate(2025, 1, 1), QDate(2025, 12, 31));
        const int at = int(ledger.indexOf(u"602     Разходи за външни услуги"_s));
        QVERIFY(at > 0);
        QVERIFY(ledger.lastIndexOf(u"Сметка"_s, at) > ledger.lastIndexOf(u"Крайно салдо:"_s, at));
        QVERIFY2(!SectionOf(ledger, 602).contains(u"453"_s), qPrintable(SectionOf(ledger, 602)));
    }

    void movementOutsideThePeriodWithoutOpeningIsLeftOut()
    {
        ReportFixture r;
        const QString text = Ledger(r, QDate(2025, 4, 1), QDate(2025, 4, 30));
        QVERIFY(!text.contains(u"602     Разходи за външни услуги"_s));  // moved in May only
        QVERIFY(text.contains(u"503     Разплащателна сметка"_s));
    }

    void corresponding_accountsInNumberOrder()
    {
        ReportFixture r;
        const QString text = Ledger(r, QDate(2025, 1, 1), QDate(2025, 12, 31));
        const int section = int(text.indexOf(u"501     Каса в левове"_s));
        const int a453 = int(text.indexOf(u"453   "_s, section));
        const int a602 = int(text.indexOf(u"602   "_s, section));
        QVERIFY(a453 > section && a602 > a453);
    }

    void closingRowsAreTheAccountTotalsAtTheEnd_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::newRow("whole year") << QDate(2025, 1, 1) << QDate(2025, 12, 31);
        QTest::newRow("from March to June") << QDate(2025, 3, 1) << QDate(2025, 6, 30);
        QTest::newRow("one day") << QDate(2025, 3, 4) << QDate(2025, 3, 4);
    }
    void closingRowsAreTheAccountTotalsAtTheEnd()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        ReportFixture r;
        const QString text = Ledger(r, from, to);
        static const QRegularExpression section(u"^(\\d+)     \\S"_s, QRegularExpression::MultilineOption);
        static const QRegularExpression closing(u"Крайно салдо:\\s+(-?\\d+\\.\\d\\d)\\s+(-?\\d+\\.\\d\\d)"_s);
        int checked = 0;
        for (auto it = section.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            const auto c = closing.match(text, m.capturedEnd());
            QVERIFY(c.hasMatch());
            const TAccountValue v = GetAccountValue(r.db(), m.captured(1).toInt(), {}, r.period, from, to);
            QCOMPARE(c.captured(1), QString::number(v.closeDtSt, 'f', 2));
            QCOMPARE(c.captured(2), QString::number(v.closeKtSt, 'f', 2));
            ++checked;
        }
        QVERIFY(checked >= 3);
    }

    void noDataForThePeriod()
    {
        TestFixture f;
        f.openNewFirm(u"Празна"_s, 2025);
        QString error;
        try {
            GeneralLedgerJob job(f.dm.db(), {QDate(2025, 1, 1), QDate(2025, 12, 31), u"Празна"_s});
        } catch (const MyException &e) {
            error = e.message();
        }
        QCOMPARE(error, NoLedgerDataMessage);
    }
};

QTEST_MAIN(GeneralLedgerTest)
#include "tst_generalledger.moc"
