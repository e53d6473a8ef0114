#include "engine/Rounding.h"
#include "firm/Lookups.h"
#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "statements/StatementComputation.h"
#include "statements/StatementReport.h"
#include "statements/StatementView.h"
#include "support/Golden.h"
#include "support/StatementBooks.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QDate From(2025, 1, 1);
const QDate To(2025, 12, 31);

QList<rk::Page> Print(const ComputedStatement &statement)
{
    StatementReportJob job(statement, u"Проверка ООД"_s);
    rk::PageList pages;
    rk::RunReport(job, pages);
    return pages.pages;
}

QString Text(const QList<rk::Page> &pages)
{
    return rk::ReportText(int(pages.size()), [&](int i) { return pages.at(i); });
}

QStringList TextsOf(const rk::Page &page)
{
    QStringList texts;
    for (const rk::PageItem &i : page.items)
        if (i.kind == rk::PageItem::Kind::Text)
            texts << i.lines().join(u' ');
    return texts;
}

double This(const ComputedStatement &s, int line) { return s.line(line)->figures.thisYear.value_or(-1e9); }

double Cash(Db &db, const QDate &to, bool opening = false)
{
    double sum = 0;
    for (int a : {501, 503}) {
        const TAccountValue v = GetAccountValue(db, a, {}, ReadPeriod(db), From, to);
        sum += opening ? v.openDtSt : v.closeDtSt;
    }
    return sum;
}

StatementLine Line(int no, int kind, int group = 0) { return {no, no, u"Ред %1"_s.arg(no), {}, kind, group}; }

}  // namespace

class StatementsTest : public QObject {
    Q_OBJECT
private slots:
    void statementsMatchTheirGoldenTexts_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("golden");
        QTest::newRow("balance sheet") << int(StatementType::Balance) << u"balance-sheet.txt"_s;
        QTest::newRow("income statement") << int(StatementType::Income) << u"income-statement.txt"_s;
        QTest::newRow("cash flow") << int(StatementType::CashFlow) << u"cash-flow.txt"_s;
    }
    void statementsMatchTheirGoldenTexts()
    {
        QFETCH(int, type);
        QFETCH(QString, golden);
        StatementBooks b;
        const ComputedStatement s = ComputeStatement(b.db(), b.registry(), StatementType(type), From, To);
        QVERIFY(MatchesGolden(golden, Text(Print(s)), u"core/statements/golden"_s));
    }

    void theThreeStatementsReconcile_data()
    {
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QDate>("to");
        QTest::newRow("year closed to 123") << true << To;
        QTest::newRow("year still open") << false << To;
        QTest::newRow("first half") << false << QDate(2025, 6, 30);
    }
    void theThreeStatementsReconcile()
    {
        QFETCH(bool, closed);
        QFETCH(QDate, to);
        StatementBooks b(closed);
        const ComputedStatement balance = ComputeStatement(b.db(), b.registry(), StatementType::Balance, From, to);
        const ComputedStatement income = ComputeStatement(b.db(), b.registry(), StatementType::Income, From, to);
        const ComputedStatement cash = ComputeStatement(b.db(), b.registry(), StatementType::CashFlow, From, to);
        QCOMPARE(This(balance, 62), This(balance, 116));
        QCOMPARE(This(income, 59) - This(income, 31), This(balance, 82));
        if (closed) {
            QCOMPARE(This(balance, 62), 45200.00);
            QCOMPARE(This(balance, 82), 8500.00);
            QCOMPARE(This(income, 32), 8500.00);
            QCOMPARE(This(income, 60), 0.00);
            QCOMPARE(This(income, 33), This(income, 61));
        }
        QCOMPARE(This(cash, 52), Cash(b.db(), to, true));
        QCOMPARE(This(cash, 54), RoundAmount(Cash(b.db(), to)));
        QCOMPARE(This(balance, 59), This(cash, 54));
    }

    void dataLinesFollowTheirRows_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<StatementLine>>("lines");
        QTest::addColumn<QList<IncludeRow>>("rows");
        QTest::addColumn<int>("line");
        QTest::addColumn<QList<double>>("expected");  // this year, previous year[, gross, correction]
        const auto B = int(StatementType::Balance), I = int(StatementType::Income), C = int(StatementType::CashFlow);
        QTest::newRow("a line without rows is 0 and adds 0 to its group")
            << B << QList{Line(1, 1, 2), Line(2, 1, 2), Line(3, 2)} << QList{IncludeRowOf(2, 5, 501)} << 3
            << QList<double>{2100, 0, 2100, 0};
        QTest::newRow("a balance line whose rows are all corrections")
            << B << QList{Line(1, 1, 3)} << QList{IncludeRowOf(1, 6, 241, 0, 0, 1)} << 1 << QList<double>{-4800, 0, 0, 4800};
        QTest::newRow("kind 8 feeds the current year, kind 9 the previous")
            << I << QList{Line(1, 1, 2)} << QList{IncludeRowOf(1, 8, 0, 0, 100), IncludeRowOf(1, 9, 0, 0, 40)} << 1
            << QList<double>{100, 40};
        QTest::newRow("kinds 1..6 take their side of the account's totals")
            << I << QList{Line(1, 1, 2)}
            << QList{IncludeRowOf(1, 1, 503), IncludeRowOf(1, 2, 401), IncludeRowOf(1, 3, 411), IncludeRowOf(1, 4, 411), IncludeRowOf(1, 5, 501), IncludeRowOf(1, 6, 421)}
            << 1 << QList<double>{9400 + 3300 + 30000 + 16000 + 2100 + 1000, 0};
        QTest::newRow("an account missing from the chart contributes 0")
            << I << QList{Line(1, 1, 2)} << QList{IncludeRowOf(1, 5, 999), IncludeRowOf(1, 7, 999, 501), IncludeRowOf(1, 7, 501, 999), IncludeRowOf(1, 8, 0, 0, 7)}
            << 1 << QList<double>{7, 0};
        QTest::newRow("correspondence is the debit of the account against the other")
            << I << QList{Line(1, 1, 2)} << QList{IncludeRowOf(1, 7, 503, 411), IncludeRowOf(1, 7, 401, 503), IncludeRowOf(1, 7, 411, 503)} << 1
            << QList<double>{16000 + 11000, 0};
        QTest::newRow("the later of two base lines is the cash flow's base")
            << C << QList{Line(1, 1, 1), Line(2, 1, 1), Line(3, 1, 2), Line(4, 11), Line(5, 12)}
            << QList{IncludeRowOf(1, 1, 501), IncludeRowOf(2, 8, 0, 0, 5), IncludeRowOf(3, 8, 0, 0, 20)} << 4 << QList<double>{25, 0};
        QTest::newRow("cash flow: the change leaves the base out")
            << C << QList{Line(1, 1, 1), Line(2, 1, 3), Line(3, 12)} << QList{IncludeRowOf(1, 1, 501), IncludeRowOf(2, 8, 0, 0, 30)} << 3
            << QList<double>{-30, 0};
        QTest::newRow("cash flow: group 0 and groups above 7 are left alone")
            << C << QList{Line(1, 1, 0), Line(2, 1, 8), Line(3, 1, 2), Line(4, 2)}
            << QList{IncludeRowOf(1, 8, 0, 0, 1), IncludeRowOf(2, 8, 0, 0, 2), IncludeRowOf(3, 8, 0, 0, 4)} << 4 << QList<double>{4, 0};
        QTest::newRow("income: a total line sums its groups, not stored")
            << I << QList{Line(1, 1, 2), Line(2, 1, 5), Line(3, 1, 7), Line(4, 6), Line(5, 8)}
            << QList{IncludeRowOf(1, 8, 0, 0, 10), IncludeRowOf(2, 8, 0, 0, 20), IncludeRowOf(3, 9, 0, 0, 3)} << 5 << QList<double>{30, 3};
        QTest::newRow("balance: the assets total is groups 1, 7 and 13")
            << B << QList{Line(1, 1, 1), Line(2, 1, 6), Line(3, 1, 12), Line(4, 7), Line(5, 13), Line(6, 44)}
            << QList{IncludeRowOf(1, 8, 0, 0, 1), IncludeRowOf(2, 8, 0, 0, 10), IncludeRowOf(3, 8, 0, 0, 100)} << 6
            << QList<double>{111, 0, 111, 0};
    }
    void dataLinesFollowTheirRows()
    {
        QFETCH(int, type);
        QFETCH(QList<StatementLine>, lines);
        QFETCH(QList<IncludeRow>, rows);
        QFETCH(int, line);
        QFETCH(QList<double>, expected);
        StatementBooks b;
        const ComputedStatement s = ComputeStatement(b.db(), StatementType(type), lines, rows, From, To);
        const LineFigures &f = s.line(line)->figures;
        QCOMPARE(f.thisYear.value_or(-1), expected[0]);
        QCOMPARE(f.prevYear.value_or(-1), expected[1]);
        if (expected.size() > 2) {
            QCOMPARE(f.gross.value_or(-1), expected[2]);
            QCOMPARE(f.correction.value_or(-1), expected[3]);
        }
        QVERIFY(b.f.messages.shown.isEmpty());
    }

    void emptiedLinesPrintBlank()
    {
        StatementBooks b;
        const ComputedStatement s = ComputeStatement(b.db(), StatementType::CashFlow,
                                                     {Line(1, 0), Line(2, 13), Line(3, 1, 2)}, {}, From, To);
        QVERIFY(!s.line(1)->figures.thisYear && !s.line(2)->figures.prevYear);
        QCOMPARE(StatementCellText(*s.line(2), StatementField::ThisYear), QString());
        QCOMPARE(StatementCellText(*s.line(3), StatementField::ThisYear), u"0.00"_s);
    }

    void groupedCorrespondenceAgreesWithThePairQuery()
    {
        StatementBooks b;
        const QList<int> accounts = {123, 241, 304, 401, 411, 421, 4531, 4532, 4539, 501, 503, 602, 603, 604, 702};
        QList<IncludeRow> rows;
        for (int a : accounts)
            for (int c : accounts)
                rows << IncludeRowOf(1, 7, a, c);
        const QDate from(2025, 3, 1), to(2025, 6, 30);
        double expected = 0;
        for (const IncludeRow &r : rows)
            expected += GetKorespValue(b.db(), r.OPR_Account_No, r.OPR_AccCor_No, {}, {}, ReadPeriod(b.db()), from, to).dtSt;
        QVERIFY(expected > 0);
        const ComputedStatement s = ComputeStatement(b.db(), StatementType::Income, {Line(1, 1)}, rows, from, to);
        QCOMPARE(This(s, 1), RoundAmount(expected));
    }

    void aLaterStartOpensWithTheDaysBefore()
    {
        StatementBooks b;
        const ComputedStatement s = ComputeStatement(b.db(), StatementType::Income, {Line(1, 1), Line(2, 1)},
                                                     {IncludeRowOf(1, 1, 503), IncludeRowOf(2, 5, 503)}, QDate(2025, 5, 1), QDate(2025, 5, 31));
        QCOMPARE(This(s, 1), 9400.00 + 16000 - 11000);
        QCOMPARE(This(s, 2), 14400.00 - 2000 - 5000);
    }

    void linesOutsideTheirRangesStopTheComputation_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<StatementLine>("line");
        QTest::addColumn<QString>("message");
        const QString kind = u"Отчетът не може да бъде изготвен: показател 7 е с вид %1, извън допустимите стойности!"_s;
        const QString group = u"Отчетът не може да бъде изготвен: показател 7 е с група %1, извън допустимите стойности!"_s;
        const auto B = int(StatementType::Balance), I = int(StatementType::Income), C = int(StatementType::CashFlow);
        QTest::newRow("income kind 15") << I << Line(7, 15) << kind.arg(15);
        QTest::newRow("income kind 14") << I << Line(7, 14) << QString();
        QTest::newRow("income group 15") << I << Line(7, 1, 15) << group.arg(15);
        QTest::newRow("income group 14") << I << Line(7, 1, 14) << QString();
        QTest::newRow("balance kind 29") << B << Line(7, 29) << kind.arg(29);
        QTest::newRow("balance kind 44") << B << Line(7, 44) << QString();
        QTest::newRow("balance kind 45") << B << Line(7, 45) << kind.arg(45);
        QTest::newRow("balance group 29") << B << Line(7, 1, 29) << group.arg(29);
        QTest::newRow("balance group 28") << B << Line(7, 1, 28) << QString();
        QTest::newRow("cash flow kind -1") << C << Line(7, -1) << kind.arg(-1);
        QTest::newRow("cash flow kind 13") << C << Line(7, 13) << QString();
        QTest::newRow("cash flow group 9") << C << Line(7, 1, 9) << QString();
    }
    void linesOutsideTheirRangesStopTheComputation()
    {
        QFETCH(int, type);
        QFETCH(StatementLine, line);
        QFETCH(QString, message);
        StatementBooks b;
        int progress = 0;
        const QString error = ErrorOf([&] {
            ComputeStatement(b.db(), StatementType(type), {Line(1, 1, 2), line}, {IncludeRowOf(1, 5, 501)}, From, To,
                             [&](int, int) { ++progress; });
        });
        QCOMPARE(error, message);
        QCOMPARE(progress, message.isEmpty() ? 2 : 0);  // all or nothing: no line was taken
    }

    void aPeriodOutsideTheYearIsRefused()
    {
        StatementBooks b;
        QCOMPARE(ErrorOf([&] { ComputeStatement(b.db(), b.registry(), StatementType::Balance, From, QDate(2026, 1, 1)); }),
                 PeriodMessage);
    }

    void theBalanceSheetTurnsToLiabilitiesAfterLine63()
    {
        StatementBooks b;
        const ComputedStatement s = ComputeStatement(b.db(), b.registry(), StatementType::Balance, From, To);
        const QList<rk::Page> pages = Print(s);
        bool liabilities = false;
        for (const rk::Page &p : pages) {
            const QStringList texts = TextsOf(p);
            const bool assetsPage = texts.contains(u"АКТИВ"_s);
            QVERIFY(assetsPage != texts.contains(u"ПАСИВ"_s));
            QVERIFY(!(assetsPage && liabilities));  // never back to the assets
            liabilities = !assetsPage;
            // The correction column is shown on the assets pages only.
            QCOMPARE(texts.contains(u"Коректив"_s), assetsPage);
            QCOMPARE(texts.contains(u"Условни активи"_s) || texts.contains(u"СУМА НА АКТИВА (А+Б+В+Г)"_s) ? assetsPage : true, true);
            if (texts.contains(u"Условни активи"_s)) {
                // Line 63 closes its page: nothing of the liabilities follows it there.
                QVERIFY(!texts.contains(u"А. СОБСТВЕН КАПИТАЛ"_s));
            }
        }
        QVERIFY(liabilities);
        QVERIFY(TextsOf(pages.last()).contains(u"Ръководител..................................................."_s));
    }

    void aPageOpenedByLine63KeepsTheAssetsHeading()
    {
        // Enough filler lines before 63 that, at some count, 63 opens a page of its own.
        bool seen = false;
        for (int filler = 40; filler < 120 && !seen; ++filler) {
            ComputedStatement s;
            s.type = StatementType::Balance;
            s.from = From;
            s.to = To;
            for (int i = 0; i < filler; ++i)
                s.lines.append({Line(1, 0), {}});
            s.lines.append({Line(63, 1), {}});
            s.lines.append({Line(64, 1), {}});
            for (const rk::Page &p : Print(s)) {
                const QStringList texts = TextsOf(p);
                const qsizetype at = texts.indexOf(u"Ред 63"_s);
                if (at < 0 || texts.filter(u"Ред 1"_s).size() > 0)
                    continue;
                seen = true;
                QVERIFY(texts.contains(u"АКТИВ"_s));
                QVERIFY(!texts.contains(u"Ред 64"_s));
            }
        }
        QVERIFY(seen);
    }

    void theIncomeStatementTurnsToIncomeAfterLine33()
    {
        StatementBooks b;
        const QList<rk::Page> pages = Print(ComputeStatement(b.db(), b.registry(), StatementType::Income, From, To));
        QCOMPARE(pages.size(), 2);
        const QStringList first = TextsOf(pages[0]), second = TextsOf(pages[1]);
        QVERIFY(first.contains(u"РАЗХОДИ"_s) && first.contains(u"НАИМЕНОВАНИЕ НА РАЗХОДИТЕ"_s));
        QVERIFY(second.contains(u"ПРИХОДИ"_s) && second.contains(u"НАИМЕНОВАНИЕ НА ПРИХОДИТЕ"_s));
        QVERIFY(first.contains(u"ВСИЧКО (Г + Д)"_s) && !first.contains(u"А. ПРИХОДИ ОТ ДЕЙНОСТТА"_s));
        QVERIFY(second.first().contains(u"ПРИЛОЖЕНИЕ 2"_s));
    }

    void emphasisByLineNumber()
    {
        StatementBooks b;
        const QList<rk::Page> pages = Print(ComputeStatement(b.db(), b.registry(), StatementType::CashFlow, From, To));
        // Line 54 (the closing cash): the name on dark grey, its figures on light grey; line 3 plain.
        QMap<QString, QList<QColor>> fills;
        for (const rk::Page &p : pages) {
            QColor last;
            for (const rk::PageItem &i : p.items) {
                if (i.kind == rk::PageItem::Kind::Box)
                    last = i.fill;
                else if (i.kind == rk::PageItem::Kind::Text)
                    fills[i.lines().join(u' ')] << last;
            }
        }
        QCOMPARE(fills.value(u"Е. ПАРИЧНИ СРЕДСТВА В КРАЯ НА ПЕРИОДА (Г + Д)"_s).value(0), QColor(164, 164, 164));
        QCOMPARE(fills.value(u"6500.00"_s).value(0), QColor(224, 224, 224));
        QCOMPARE(fills.value(u"Всичко постъпления от основна дейност"_s).value(0), QColor(224, 224, 224));
        QVERIFY(!fills.value(u"1. Постъпления от търговски контрагенти"_s).value(0).isValid());
    }

    void viewColumnsAndShades()
    {
        QCOMPARE(StatementColumns(StatementType::Balance).size(), 5);
        QCOMPARE(StatementColumns(StatementType::Income).size(), 3);
        QCOMPARE(StatementColumns(StatementType::Balance)[3].caption, u"Коректив"_s);
        QCOMPARE(StatementRowShade(StatementType::Income, 6), QColor(192, 192, 192));
        QCOMPARE(StatementRowShade(StatementType::CashFlow, 11), QColor(128, 128, 128));
        QCOMPARE(StatementRowShade(StatementType::Balance, 24), QColor(229, 229, 229));
        QVERIFY(!StatementRowShade(StatementType::Balance, 25).isValid());
        QVERIFY(!StatementRowShade(StatementType::Income, 1).isValid());
    }
};

QTEST_MAIN(StatementsTest)
#include "tst_statements.moc"
