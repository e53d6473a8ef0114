#include "closing/PreviousYear.h"

#include "engine/Db.h"
#include "engine/Rounding.h"
#include "statements/StatementComputation.h"

#include <QSqlQuery>
#include <algorithm>
#include <map>
#include <optional>
#include <set>

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

namespace {
using LineKey = std::pair<int, int>;  // statement, line

LineKey KeyOf(const PreviousYearLine &line) { return {int(line.type), line.lineNo}; }

void RecordPreviousYear(Db &next, const QList<PreviousYearLine> &lines)
{
    next.exec(u"delete from PrevYearCarried"_s);
    for (const PreviousYearLine &line : lines)
        next.exec(u"insert into PrevYearCarried (Stmt_Type, OPR_Pok_No, Carried_Value) values (?, ?, ?)"_s,
                  {int(line.type), line.lineNo, line.amount});
}

void WriteLine(Db &next, StatementType type, int lineNo, std::optional<double> amount)
{
    next.exec(u"delete from "_s + IncludeTableOf(type) + u" where OPR_Account_Type = ? and OPR_Pok_No = ?"_s,
              {IncludeKind::PreviousYear, lineNo});
    if (amount && *amount != 0)
        next.exec(u"insert into "_s + IncludeTableOf(type)
                      + u" (OPR_Pok_No, OPR_Account_Type, OPR_ConstValue) values (?, ?, ?)"_s,
                  {lineNo, IncludeKind::PreviousYear, *amount});
}

// A line's previous-year rows as one figure; a line with several rows (one typed beside the
// carried one) is a line changed by hand, and so is one without rows.
std::map<LineKey, std::optional<double>> CurrentLines(Db &next)
{
    std::map<LineKey, std::optional<double>> current;
    for (StatementType type : {StatementType::Balance, StatementType::Income, StatementType::CashFlow}) {
        QSqlQuery q = next.exec(u"select OPR_Pok_No, count(*), sum(OPR_ConstValue) from "_s + IncludeTableOf(type)
                                    + u" where OPR_Account_Type = ? group by OPR_Pok_No"_s,
                                {IncludeKind::PreviousYear});
        while (q.next())
            current[{int(type), q.value(0).toInt()}] =
                q.value(1).toInt() == 1 ? std::optional<double>(RoundAmount(q.value(2).toDouble())) : std::nullopt;
    }
    return current;
}

bool SameFigure(const std::optional<double> &a, const std::optional<double> &b)
{
    return RoundAmount(a.value_or(0)) == RoundAmount(b.value_or(0));
}
}  // namespace

void ReplacePreviousYearRows(Db &next, const QList<PreviousYearLine> &lines)
{
    for (StatementType type : {StatementType::Balance, StatementType::Income, StatementType::CashFlow})
        next.exec(u"delete from "_s + IncludeTableOf(type) + u" where OPR_Account_Type = ?"_s,
                  {IncludeKind::PreviousYear});
    for (const PreviousYearLine &line : lines)
        WriteLine(next, line.type, line.lineNo, line.amount);
    RecordPreviousYear(next, lines);
}

QStringList RefreshPreviousYearRows(Db &next, const QList<PreviousYearLine> &lines)
{
    if (next.scalar(u"select count(*) from PrevYearCarried"_s).toInt() == 0) {
        ReplacePreviousYearRows(next, lines);
        return {};
    }
    std::map<LineKey, double> carried, fresh;
    QSqlQuery q = next.exec(u"select Stmt_Type, OPR_Pok_No, Carried_Value from PrevYearCarried"_s);
    while (q.next())
        carried[{q.value(0).toInt(), q.value(1).toInt()}] = q.value(2).toDouble();
    for (const PreviousYearLine &line : lines)
        fresh[KeyOf(line)] = line.amount;
    const std::map<LineKey, std::optional<double>> current = CurrentLines(next);
    std::set<LineKey> keys;
    for (const auto *map : {&carried, &fresh})
        for (const auto &[key, unused] : *map)
            keys.insert(key);

    auto valueOf = [](const std::map<LineKey, double> &map, const LineKey &key) {
        const auto it = map.find(key);
        return it != map.end() ? it->second : 0.0;
    };
    QStringList keptByHand;
    for (const LineKey &key : keys) {
        const auto at = current.find(key);
        const bool hasRows = at != current.end();
        const std::optional<double> cur = hasRows ? at->second : std::optional<double>(0.0);
        const double before = valueOf(carried, key), now = valueOf(fresh, key);
        const StatementType type = StatementType(key.first);
        if (cur && SameFigure(cur, now))
            continue;
        // As the closing left the line: one row of what it carried, or none where it carried
        // nothing. Rows changed, added beside it or deleted since are the accountant's: they stay.
        if (!cur || !SameFigure(cur, before) || hasRows != (before != 0)) {
            keptByHand << u"%1, ред %2"_s.arg(StatementName(type), QString::number(key.second));
            continue;
        }
        WriteLine(next, type, key.second, now);
    }
    RecordPreviousYear(next, lines);
    return keptByHand;
}
