#include "closing/PreviousYear.h"

#include "engine/Db.h"
#include "statements/StatementComputation.h"

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
