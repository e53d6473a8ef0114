#include "closing/YearClosing.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "engine/Rounding.h"
#include "firm/AccountTotals.h"
#include "firm/Lookups.h"
#include "registry/FirmFactory.h"
#include "registry/TFD.h"

#include <QSqlQuery>
#include <map>

using namespace Qt::StringLiterals;

namespace {
using Key = std::pair<int, LotKey>;

// Sums of the four figures per account and analytic key, rounded as the totals round them.
void AddSums(Db &firm, const QString &sql, const QVariantList &binds, std::map<Key, TAccountValue> &byKey,
             bool opening)
{
    QSqlQuery q = firm.exec(sql, binds);
    while (q.next()) {
        const Key key{q.value(0).toInt(), {q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt(),
                                           q.value(4).toInt(), q.value(5).toInt()}};
        TAccountValue &v = byKey[key];
        const double kolDt = RoundQuantity(q.value(6).toDouble()), stDt = RoundAmount(q.value(7).toDouble());
        const double kolKt = RoundQuantity(q.value(8).toDouble()), stKt = RoundAmount(q.value(9).toDouble());
        if (opening) {
            v.openDtKol = kolDt, v.openDtSt = stDt, v.openKtKol = kolKt, v.openKtSt = stKt;
        } else {
            v.turnDtKol = kolDt, v.turnDtSt = stDt, v.turnKtKol = kolKt, v.turnKtSt = stKt;
        }
    }
}
}  // namespace

QList<SnsRow> ClosingBalances(Db &firm)
{
    const ReportingPeriod period = ReadPeriod(firm);
    std::map<Key, TAccountValue> byKey;
    AddSums(firm,
            u"select Sn_UNo, Sn_An1, Sn_An2, Sn_An3, Sn_An4, Sn_An5, sum(Sn_Kol_Dt), sum(Sn_St_Dt), sum(Sn_Kol_Kt), "
            "sum(Sn_St_Kt) from Sns group by Sn_UNo, Sn_An1, Sn_An2, Sn_An3, Sn_An4, Sn_An5"_s,
            {}, byKey, true);
    AddSums(firm,
            u"select An_S_No, An_S_An1, An_S_An2, An_S_An3, An_S_An4, An_S_An5, sum(An_S_Dt_Kol), sum(An_S_Dt_St), "
            "sum(An_S_Kt_Kol), sum(An_S_Kt_St) from an where An_Date between ? and ? "
            "group by An_S_No, An_S_An1, An_S_An2, An_S_An3, An_S_An4, An_S_An5"_s,
            {Formats::SqlDate(period.Date_Ot), Formats::SqlDate(period.Date_Do)}, byKey, false);

    QList<SnsRow> rows;
    std::map<int, int> balanceTypes;
    for (auto &[key, v] : byKey) {
        const int account = key.first;
        if (!balanceTypes.contains(account)) {
            const auto found = FindAccount(firm, account);
            if (!found)
                throw MyException(u"Приключване >> "_s + MissingAccountMessage + u" "_s + QString::number(account));
            balanceTypes[account] = found->balanceType;
        }
        CloseByBalanceType(v, balanceTypes[account], true);
        if (v.closeDtKol == 0 && v.closeDtSt == 0 && v.closeKtKol == 0 && v.closeKtSt == 0)
            continue;
        rows.append({account, key.second, v.closeDtKol, v.closeDtSt, v.closeKtKol, v.closeKtSt});
    }
    return rows;
}

int CreateFirmFrom(TFD &fd, NewFirmRequest request, bool carryBalances)
{
    if (carryBalances) {
        if (request.sourceFirmId == 0 || !request.copyAccountsAndLots)
            throw MyException(u"Крайните салда се прехвърлят заедно със сметките и партидите на избраната фирма!"_s);
        Db source(u"closing-source"_s);
        source.open(SourceFirmFile(fd, request.sourceFirmId), false);
        const QList<SnsRow> openingBalances = ClosingBalances(source);
        request.fillFirm = [openingBalances](Db &firm) {
            for (const SnsRow &row : openingBalances)
                OpeningBalances::Insert(firm, row);
        };
    }
    return CreateFirm(fd, std::move(request));
}

int CloseYear(TFD &fd, int firmId)
{
    const auto firm = fd.Firm(firmId);
    if (!firm)
        throw MyException(u"Фирмата не е намерена в регистъра!"_s);
    for (const FirmRecord &other : fd.Firms())
        if (other.Firm_Name == firm->Firm_Name && other.Firm_Period == firm->Firm_Period + 1)
            throw MyException(u"Годината вече е приключена: фирма „"_s + other.Firm_Name + u"“ за "_s
                              + QString::number(other.Firm_Period) + u"г. съществува."_s);
    NewFirmRequest request;
    request.firm = *firm;
    request.firm.Firm_DataPath.clear();
    request.firm.Firm_Period = firm->Firm_Period + 1;
    request.sourceFirmId = firmId;
    request.copyAccountsAndLots = true;
    request.copyFolders = true;
    return CreateFirmFrom(fd, request, true);
}
