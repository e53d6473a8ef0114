#include "statements/IncludeAmounts.h"

#include "engine/Db.h"
#include "engine/Formats.h"
#include "firm/Lookups.h"
#include "statements/StatementTables.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {
bool AnyLot(const LotKey &lots)
{
    return std::any_of(lots.begin(), lots.end(), [](int lot) { return lot > 0; });
}
}  // namespace

IncludeAmounts::IncludeAmounts(Db &db, const ReportingPeriod &period, const QDate &from, const QDate &to)
    : m_db(db), m_period(period), m_from(from), m_to(to)
{
}

std::optional<double> IncludeAmounts::amount(const IncludeRow &row)
{
    const int kind = row.OPR_Account_Type;
    if (kind >= IncludeKind::OpeningDebit && kind <= IncludeKind::ClosingCredit)
        return accountFigure(row);
    if (kind == IncludeKind::Correspondence)
        return correspondence(row);
    return std::nullopt;
}

std::optional<double> IncludeAmounts::accountFigure(const IncludeRow &row)
{
    const std::pair<int, LotKey> key{row.OPR_Account_No, row.OPR_Account_An};
    auto it = m_values.find(key);
    if (it == m_values.end())
        it = m_values.emplace(key, GetAccountValue(m_db, key.first, key.second, m_period, m_from, m_to)).first;
    const TAccountValue &v = it->second;
    if (!v.valid)
        return std::nullopt;
    const double figures[] = {v.openDtSt, v.openKtSt, v.turnDtSt, v.turnKtSt, v.closeDtSt, v.closeKtSt};
    return figures[row.OPR_Account_Type - 1];
}

bool IncludeAmounts::accountExists(int account)
{
    auto it = m_exists.find(account);
    if (it == m_exists.end())
        it = m_exists.insert(account, FindAccount(m_db, account).has_value());
    return *it;
}

const QHash<int, double> &IncludeAmounts::debitsByCorrespondent(int account)
{
    auto it = m_debits.find(account);
    if (it != m_debits.end())
        return *it;
    QHash<int, double> sums;
    QSqlQuery &q = m_db.execCached(u"select An_S_Cr_No, sum(An_S_Dt_St) from an where An_S_No = ? "
                                   "and An_Date between ? and ? group by An_S_Cr_No"_s,
                                   {account, Formats::SqlDate(m_from), Formats::SqlDate(m_to)});
    while (q.next())
        sums.insert(q.value(0).toInt(), q.value(1).toDouble());
    q.finish();
    return *m_debits.insert(account, sums);
}

std::optional<double> IncludeAmounts::correspondence(const IncludeRow &row)
{
    if (AnyLot(row.OPR_Account_An) || AnyLot(row.OPR_AccCor_An)) {
        std::array<int, 12> key{row.OPR_Account_No, row.OPR_AccCor_No};
        std::copy(row.OPR_Account_An.begin(), row.OPR_Account_An.end(), key.begin() + 2);
        std::copy(row.OPR_AccCor_An.begin(), row.OPR_AccCor_An.end(), key.begin() + 7);
        auto it = m_lotCorrespondence.find(key);
        if (it == m_lotCorrespondence.end()) {
            const TKorespValue v = GetKorespValue(m_db, row.OPR_Account_No, row.OPR_AccCor_No, row.OPR_Account_An,
                                                  row.OPR_AccCor_An, m_period, m_from, m_to);
            it = m_lotCorrespondence.emplace(key, v.valid ? std::optional(v.dtSt) : std::nullopt).first;
        }
        return it->second;
    }
    // The same rule as the query of one pair: both accounts must be in the chart.
    if (!accountExists(row.OPR_Account_No) || !accountExists(row.OPR_AccCor_No))
        return std::nullopt;
    return debitsByCorrespondent(row.OPR_Account_No).value(row.OPR_AccCor_No);
}
