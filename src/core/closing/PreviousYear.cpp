#include "closing/PreviousYear.h"

#include "engine/Db.h"
#include "engine/Rounding.h"
#include "statements/StatementComputation.h"

#include <algorithm>

using namespace Qt::StringLiterals;

QList<PreviousYearLine> ClosedYearFigures(Db &firm, Db &registry, const std::function<double(double)> &convert)
{
    const ReportingPeriod period = ReadPeriod(firm);
    QList<PreviousYearLine> lines;
    for (StatementType type : {StatementType::Balance, StatementType::Income, StatementType::CashFlow}) {
        const ComputedStatement statement = ComputeStatement(firm, registry, type, period.Date_Ot, period.Date_Do);
        for (const ComputedLine &line : statement.lines) {
            if (line.line.OPR_Value != 1 || !line.figures.thisYear)
                continue;
            const double amount = convert(*line.figures.thisYear);
            if (amount != 0)
                lines.append({type, line.line.OPR_Pok_No, amount});
        }
    }
    return lines;
}

namespace {
// Previous-year assets less liabilities of the balance sheet the lines make.
double PreviousYearGap(Db &firm, const QList<StatementLine> &statement, const QList<PreviousYearLine> &lines)
{
    QList<IncludeRow> rows;
    for (const PreviousYearLine &line : lines)
        if (line.type == StatementType::Balance)
            rows.append({0, line.lineNo, IncludeKind::PreviousYear, 0, {}, 0, {}, line.amount, 0});
    const ReportingPeriod period = ReadPeriod(firm);
    const ComputedStatement computed
        = ComputeStatement(firm, StatementType::Balance, statement, rows, period.Date_Ot, period.Date_Do);
    double assets = 0, liabilities = 0;
    for (const ComputedLine &line : computed.lines) {
        if (line.line.OPR_Value == 44)
            assets = line.figures.prevYear.value_or(0);
        else if (line.line.OPR_Value == 54)
            liabilities = line.figures.prevYear.value_or(0);
    }
    return RoundAmount(assets - liabilities);
}
}  // namespace

void BalancePreviousYear(Db &firm, Db &registry, QList<PreviousYearLine> &lines, int equityAccount)
{
    const QList<StatementLine> statement = ReadStatementLines(registry, StatementType::Balance);
    const double gap = PreviousYearGap(firm, statement, lines);
    if (gap == 0)
        return;
    int equityLine = 0;
    for (const IncludeRow &row : ReadIncludeRows(firm, StatementType::Balance))
        if (row.OPR_Account_No == equityAccount && row.OPR_Kor == 0)
            equityLine = row.OPR_Pok_No;
    if (equityLine == 0)
        return;
    QList<PreviousYearLine> balanced = lines;
    auto it = std::find_if(balanced.begin(), balanced.end(), [&](const PreviousYearLine &l) {
        return l.type == StatementType::Balance && l.lineNo == equityLine;
    });
    if (it == balanced.end())
        it = balanced.insert(balanced.end(), {StatementType::Balance, equityLine, 0});
    it->amount = RoundAmount(it->amount + gap);
    if (PreviousYearGap(firm, statement, balanced) == 0)
        lines = balanced;
}

void ReplacePreviousYearRows(Db &next, const QList<PreviousYearLine> &lines)
{
    for (StatementType type : {StatementType::Balance, StatementType::Income, StatementType::CashFlow})
        next.exec(u"delete from "_s + IncludeTableOf(type) + u" where OPR_Account_Type = ?"_s,
                  {IncludeKind::PreviousYear});
    for (const PreviousYearLine &line : lines)
        next.exec(u"insert into "_s + IncludeTableOf(line.type)
                      + u" (OPR_Pok_No, OPR_Account_Type, OPR_ConstValue) values (?, ?, ?)"_s,
                  {line.lineNo, IncludeKind::PreviousYear, line.amount});
}
