#include "statements/StatementComputation.h"

#include "engine/Errors.h"
#include "engine/Rounding.h"
#include "statements/IncludeAmounts.h"

#include <QHash>

using namespace Qt::StringLiterals;

const ComputedLine *ComputedStatement::line(int lineNo) const
{
    for (const ComputedLine &l : lines)
        if (l.line.OPR_Pok_No == lineNo)
            return &l;
    return nullptr;
}

namespace {

// The sums of one data line: current (gross on the balance sheet), correction, previous year.
struct LineSums {
    double current = 0;
    double correction = 0;
    double previous = 0;
};

LineSums SumRows(IncludeAmounts &amounts, const QList<IncludeRow> &rows, bool correctionSide)
{
    LineSums s;
    for (const IncludeRow &row : rows) {
        const int kind = row.OPR_Account_Type;
        if (kind == IncludeKind::PreviousYear) {
            s.previous += row.OPR_ConstValue;
            continue;
        }
        std::optional<double> amount;
        if (kind == IncludeKind::CurrentConstant)
            amount = row.OPR_ConstValue;
        else
            amount = amounts.amount(row);  // a failing query adds nothing
        if (!amount)
            continue;
        (correctionSide && row.OPR_Kor == 1 ? s.correction : s.current) += *amount;
    }
    return {RoundAmount(s.current), RoundAmount(s.correction), RoundAmount(s.previous)};
}

LineFigures Shown(double current, double previous) { return {current, previous, {}, {}}; }

// Group accumulators 0..G-1, each with N values; every sum is rounded when it is formed.
template <size_t N, size_t G>
class Groups {
public:
    using Values = std::array<double, N>;
    const Values &operator[](int g) const { return m_g[size_t(g)]; }
    void add(int g, const Values &v)
    {
        for (size_t i = 0; i < N; ++i)
            m_g[size_t(g)][i] = RoundAmount(m_g[size_t(g)][i] + v[i]);
    }
    Values total(std::initializer_list<int> groups) const
    {
        Values t{};
        for (size_t i = 0; i < N; ++i) {
            for (int g : groups)
                t[i] += m_g[size_t(g)][i];
            t[i] = RoundAmount(t[i]);
        }
        return t;
    }
    // The group becomes the total of others and is shown.
    const Values &set(int g, std::initializer_list<int> groups) { return m_g[size_t(g)] = total(groups); }
    void replace(int g, const Values &v) { m_g[size_t(g)] = v; }

private:
    std::array<Values, G> m_g{};
};

QString KindProblem(const StatementLine &l)
{
    return u"Отчетът не може да бъде изготвен: показател %1 е с вид %2, извън допустимите стойности!"_s.arg(
        l.OPR_Pok_No).arg(l.OPR_Value);
}

QString GroupProblem(const StatementLine &l)
{
    return u"Отчетът не може да бъде изготвен: показател %1 е с група %2, извън допустимите стойности!"_s.arg(
        l.OPR_Pok_No).arg(l.OPR_Grup);
}

// Groups 1..14, each with the current and the previous year.
class IncomeRules {
public:
    static QString problem(const StatementLine &l)
    {
        if (l.OPR_Value < 0 || l.OPR_Value > 14)
            return KindProblem(l);
        return l.OPR_Value == 1 && l.OPR_Grup > 14 ? GroupProblem(l) : QString();
    }
    LineFigures line(const StatementLine &l, const std::function<LineSums()> &sums)
    {
        const int k = l.OPR_Value;
        switch (k) {
        case 0: return {};
        case 1: {
            const LineSums s = sums();
            if (l.OPR_Grup >= 1)
                m_g.add(l.OPR_Grup, {s.current, s.previous});
            return Shown(s.current, s.previous);
        }
        case 6: return shown(m_g.set(6, {2, 3, 4, 5}));
        case 8: return shown(m_g.total({6, 7}));  // not stored
        case 12: return shown(m_g.set(12, {9, 10, 11}));
        case 14: return shown(m_g.total({12, 13}));
        default: return shown(m_g[k]);
        }
    }

private:
    static LineFigures shown(const std::array<double, 2> &v) { return Shown(v[0], v[1]); }
    Groups<2, 15> m_g;
};

// Group 1 is the base (the opening cash), 2..7 receipts and payments of the three activities.
class CashFlowRules {
public:
    static QString problem(const StatementLine &l) { return l.OPR_Value < 0 ? KindProblem(l) : QString(); }
    LineFigures line(const StatementLine &l, const std::function<LineSums()> &sums)
    {
        const int k = l.OPR_Value;
        switch (k) {
        case 1: {
            const LineSums s = sums();
            if (l.OPR_Grup == 1)
                m_g.replace(1, {s.current, s.previous});  // the base is replaced, not added to
            else if (l.OPR_Grup >= 2 && l.OPR_Grup <= 7)
                m_g.add(l.OPR_Grup, {s.current, s.previous});
            return Shown(s.current, s.previous);
        }
        case 2: case 3: return show(k);
        case 4: return difference(2, 3);
        case 5: case 6: return show(k - 1);
        case 7: return difference(4, 5);
        case 8: case 9: return show(k - 2);
        case 10: return difference(6, 7);
        case 11: return total(false);
        case 12: return total(true);
        default: return {};  // 0 and any kind above 12
        }
    }

private:
    LineFigures show(int g) const { return Shown(m_g[g][0], m_g[g][1]); }
    double diff(int a, int b, size_t i) const { return RoundAmount(m_g[a][i] - m_g[b][i]); }
    LineFigures difference(int a, int b) const { return Shown(diff(a, b, 0), diff(a, b, 1)); }
    LineFigures total(bool withoutBase) const
    {
        std::array<double, 2> t{};
        for (size_t i = 0; i < 2; ++i) {
            t[i] = RoundAmount(diff(2, 3, i) + diff(4, 5, i) + diff(6, 7, i) + m_g[1][i]);
            if (withoutBase)
                t[i] = RoundAmount(t[i] - m_g[1][i]);
        }
        return Shown(t[0], t[1]);
    }
    Groups<2, 15> m_g;  // groups 1..7 used
};

// Groups 1..28, each with gross, correction, net and previous year.
class BalanceRules {
public:
    static QString problem(const StatementLine &l)
    {
        const int k = l.OPR_Value;
        if (!((k >= 0 && k <= 28) || k == 44 || k == 54))
            return KindProblem(l);
        return k == 1 && l.OPR_Grup > 28 ? GroupProblem(l) : QString();
    }
    LineFigures line(const StatementLine &l, const std::function<LineSums()> &sums)
    {
        const int k = l.OPR_Value;
        switch (k) {
        case 0: return {};
        case 1: {
            const LineSums s = sums();
            const Figures f{s.current, s.correction, RoundAmount(s.current - s.correction), s.previous};
            if (l.OPR_Grup >= 1)
                m_g.add(l.OPR_Grup, f);
            return shown(f);
        }
        case 7: return shown(m_g.set(7, {2, 3, 4, 5, 6}));
        case 13: return shown(m_g.set(13, {8, 9, 10, 11, 12}));
        case 20: return shown(m_g.set(20, {14, 15, 16, 17, 18, 19}));
        case 23: return shown(m_g.set(23, {21, 22}));
        case 26: return shown(m_g.set(26, {24, 25}));
        case 44: return shown(m_g.total({1, 7, 13}));  // not stored
        case 54: return shown(m_g.total({20, 23, 26, 27}));
        default: return shown(m_g[k]);
        }
    }

private:
    using Figures = std::array<double, 4>;
    static LineFigures shown(const Figures &f) { return {f[2], f[3], f[0], f[1]}; }
    Groups<4, 29> m_g;
};

template <typename Rules>
QString FirstProblem(const QList<StatementLine> &lines)
{
    for (const StatementLine &l : lines)
        if (const QString p = Rules::problem(l); !p.isEmpty())
            return p;
    return {};
}

template <typename Rules>
void Walk(ComputedStatement &result, IncludeAmounts &amounts, const QHash<int, QList<IncludeRow>> &rows,
          const ComputeProgress &progress)
{
    Rules rules;
    const bool correctionSide = HasCorrection(result.type);
    const int total = int(result.lines.size());
    for (int i = 0; i < total; ++i) {
        ComputedLine &l = result.lines[i];
        l.figures = rules.line(l.line, [&] { return SumRows(amounts, rows.value(l.line.OPR_Pok_No), correctionSide); });
        if (progress)
            progress(i + 1, total);
    }
}

}  // namespace

QString StatementLinesProblem(StatementType type, const QList<StatementLine> &lines)
{
    switch (type) {
    case StatementType::Income: return FirstProblem<IncomeRules>(lines);
    case StatementType::CashFlow: return FirstProblem<CashFlowRules>(lines);
    case StatementType::Balance: return FirstProblem<BalanceRules>(lines);
    case StatementType::None: break;
    }
    return u"Неразпознат тип на справка!"_s;
}

ComputedStatement ComputeStatement(Db &firm, StatementType type, const QList<StatementLine> &lines,
                                   const QList<IncludeRow> &rows, const QDate &from, const QDate &to,
                                   const ComputeProgress &progress)
{
    const ReportingPeriod period = ReadPeriod(firm);
    if (!period.contains(from) || !period.contains(to))
        throw MyException(PeriodMessage);
    if (const QString problem = StatementLinesProblem(type, lines); !problem.isEmpty())
        throw MyException(problem);
    ComputedStatement result;
    result.type = type;
    result.from = from;
    result.to = to;
    for (const StatementLine &l : lines)
        result.lines.append({l, {}});
    QHash<int, QList<IncludeRow>> byLine;
    for (const IncludeRow &row : rows)
        byLine[row.OPR_Pok_No].append(row);
    IncludeAmounts amounts(firm, period, from, to);
    switch (type) {
    case StatementType::Income: Walk<IncomeRules>(result, amounts, byLine, progress); break;
    case StatementType::CashFlow: Walk<CashFlowRules>(result, amounts, byLine, progress); break;
    case StatementType::Balance: Walk<BalanceRules>(result, amounts, byLine, progress); break;
    case StatementType::None: break;
    }
    return result;
}

ComputedStatement ComputeStatement(Db &firm, Db &registry, StatementType type, const QDate &from, const QDate &to,
                                   const ComputeProgress &progress)
{
    return ComputeStatement(firm, type, ReadStatementLines(registry, type), ReadIncludeRows(firm, type), from, to,
                            progress);
}
