#include "closing/EuroConversion.h"

#include "closing/ClosingEntries.h"
#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Rounding.h"
#include "firm/Currency.h"
#include "firm/Lookups.h"

#include <QSqlQuery>
#include <map>

using namespace Qt::StringLiterals;

namespace {

long long ConvertCents(double leva, double quantity, KeyConversion how)
{
    switch (how) {
    case KeyConversion::HalfUp: return LevaToEuroCents(leva, EuroRounding::HalfUp);
    case KeyConversion::Up: return LevaToEuroCents(leva, EuroRounding::Up);
    case KeyConversion::QuantityIsEuro: return ToStotinki(quantity);
    }
    return 0;
}

EuroRounding RoundingOf(KeyConversion how) { return how == KeyConversion::Up ? EuroRounding::Up : EuroRounding::HalfUp; }

bool HasLots(const SnsRow &row) { return row.Sn_An != std::array<int, 5>{}; }

// The difference on the account's unanalysed key, netted to one side as a balance is kept.
void CarryDifference(QList<SnsRow> &rows, int account, long long differenceCents)
{
    auto it = std::find_if(rows.begin(), rows.end(),
                           [&](const SnsRow &r) { return r.Sn_UNo == account && !HasLots(r); });
    if (it == rows.end()) {
        rows.append({account, {}, 0, 0, 0, 0});
        it = rows.end() - 1;
    }
    // A positive difference means the keys' debits came out higher: it opens on the credit side.
    const long long net = ToStotinki(it->Sn_St_Dt) - ToStotinki(it->Sn_St_Kt) - differenceCents;
    it->Sn_St_Dt = net > 0 ? FromStotinki(net) : 0;
    it->Sn_St_Kt = net < 0 ? FromStotinki(-net) : 0;
    if (it->Sn_St_Dt == 0 && it->Sn_St_Kt == 0 && it->Sn_Kol_Dt == 0 && it->Sn_Kol_Kt == 0)
        rows.erase(it);
}

}  // namespace

CurrencyConversion ConvertRows(const QList<SnsRow> &input, const KeyRule &rule, const KeyLots &lots,
                               int differenceAccount)
{
    QList<SnsRow> rows = input;
    std::stable_sort(rows.begin(), rows.end(), [](const SnsRow &a, const SnsRow &b) {
        return std::tie(a.Sn_UNo, a.Sn_An) < std::tie(b.Sn_UNo, b.Sn_An);
    });
    CurrencyConversion out;
    out.differenceAccount = differenceAccount;
    long long levaDt = 0, levaKt = 0, euroDt = 0, euroKt = 0;
    for (qsizetype i = 0; i < rows.size();) {
        // One account's keys at a time, so an analysed account gets its total line.
        const int account = rows[i].Sn_UNo;
        long long accountLeva = 0, accountEuro = 0;
        KeyConversion accountRule = KeyConversion::HalfUp;
        bool analysed = false;
        for (; i < rows.size() && rows[i].Sn_UNo == account; ++i) {
            const SnsRow &leva = rows[i];
            const KeyConversion how = rule(leva);
            accountRule = how == KeyConversion::QuantityIsEuro ? accountRule : how;
            analysed = analysed || HasLots(leva);
            SnsRow euro = leva;
            const long long dt = ConvertCents(leva.Sn_St_Dt, leva.Sn_Kol_Dt, how);
            const long long kt = ConvertCents(leva.Sn_St_Kt, leva.Sn_Kol_Kt, how);
            euro.Sn_St_Dt = FromStotinki(dt);
            euro.Sn_St_Kt = FromStotinki(kt);
            out.rows.append(euro);
            const QString names = HasLots(leva) ? lots(leva) : QString();
            if (leva.Sn_St_Dt != 0 || dt != 0 || leva.Sn_Kol_Dt != 0)
                out.lines.append({ConversionLine::Key, account, names, u"Дт"_s, leva.Sn_St_Dt, euro.Sn_St_Dt, {}});
            if (leva.Sn_St_Kt != 0 || kt != 0 || leva.Sn_Kol_Kt != 0)
                out.lines.append({ConversionLine::Key, account, names, u"Кт"_s, leva.Sn_St_Kt, euro.Sn_St_Kt, {}});
            levaDt += ToStotinki(leva.Sn_St_Dt);
            levaKt += ToStotinki(leva.Sn_St_Kt);
            euroDt += dt;
            euroKt += kt;
            accountLeva += ToStotinki(leva.Sn_St_Dt) - ToStotinki(leva.Sn_St_Kt);
            accountEuro += dt - kt;
        }
        if (analysed) {
            // What the keys' rounding adds to the account beyond its converted balance.
            const long long whole = LevaToEuroCents(FromStotinki(accountLeva), RoundingOf(accountRule));
            out.lines.append({ConversionLine::AccountTotal, account, {}, accountLeva < 0 ? u"Кт"_s : u"Дт"_s,
                              FromStotinki(std::llabs(accountLeva)), FromStotinki(std::llabs(accountEuro)),
                              FromStotinki(accountEuro - whole)});
        }
    }
    out.levaDebit = FromStotinki(levaDt);
    out.levaCredit = FromStotinki(levaKt);
    out.euroDebit = FromStotinki(euroDt);
    out.euroCredit = FromStotinki(euroKt);
    out.lines.append({ConversionLine::Total, 0, {}, u"Дт"_s, out.levaDebit, out.euroDebit, {}});
    out.lines.append({ConversionLine::Total, 0, {}, u"Кт"_s, out.levaCredit, out.euroCredit, {}});
    const long long imbalance = LevaToEuroCents(FromStotinki(levaDt - levaKt));
    if (levaDt != levaKt)
        out.lines.append({ConversionLine::Imbalance, 0, {}, levaDt > levaKt ? u"Дт"_s : u"Кт"_s,
                          FromStotinki(std::llabs(levaDt - levaKt)), FromStotinki(std::llabs(imbalance)), {}});
    const long long difference = (euroDt - euroKt) - imbalance;
    out.difference = FromStotinki(difference);
    out.lines.append({ConversionLine::Difference, differenceAccount, {}, difference > 0 ? u"Кт"_s : u"Дт"_s, 0,
                      FromStotinki(std::llabs(difference)), out.difference});
    if (difference != 0)
        CarryDifference(out.rows, differenceAccount, difference);
    return out;
}

bool RoundsUp(int account, const QList<int> &marked)
{
    return LeftOpen(account, QList<int>{StaffAccount} + marked);
}

bool IsEuroLotName(const QString &name)
{
    const QString n = name.trimmed().toCaseFolded();
    return n == u"eur"_s || n == u"euro"_s || n == u"евро"_s || n == u"€"_s;
}

CurrencyConversion ConvertFirmBalances(Db &source, const QList<SnsRow> &rows, const QList<int> &marked,
                                       int differenceAccount)
{
    if (const auto account = FindAccount(source, differenceAccount); account && account->levels[0] != 0)
        throw MyException(u"Сметката за разликите от закръгляване %1 има аналитични нива; посочете синтетична "
                          "сметка!"_s.arg(differenceAccount));
    std::map<int, TAccountStr> accounts;
    auto accountOf = [&](int number) -> const TAccountStr & {
        if (!accounts.contains(number)) {
            const auto found = FindAccount(source, number);
            accounts[number] = found ? *found : TAccountStr{number, {}, {}, 0, 1, 1};
        }
        return accounts[number];
    };
    const KeyRule rule = [&](const SnsRow &row) {
        const TAccountStr &account = accountOf(row.Sn_UNo);
        if (account.measureType == 3)
            for (int k = 0; k < 5; ++k)
                if (account.levels[size_t(k)] != 0 && row.Sn_An[size_t(k)] != 0
                    && IsEuroLotName(LotName(source, account.levels[size_t(k)], row.Sn_An[size_t(k)])))
                    return KeyConversion::QuantityIsEuro;
        return RoundsUp(row.Sn_UNo, marked) ? KeyConversion::Up : KeyConversion::HalfUp;
    };
    const KeyLots names = [&](const SnsRow &row) {
        const TAccountStr &account = accountOf(row.Sn_UNo);
        QStringList parts;
        for (int k = 0; k < 5; ++k)
            if (row.Sn_An[size_t(k)] != 0)
                parts << (account.levels[size_t(k)] != 0
                              ? LotName(source, account.levels[size_t(k)], row.Sn_An[size_t(k)])
                              : QString::number(row.Sn_An[size_t(k)]));
        return parts.join(u" / "_s);
    };
    return ConvertRows(rows, rule, names, differenceAccount);
}

QList<int> MarkedStaffAccounts(Db &firm)
{
    QList<int> accounts;
    QSqlQuery q = firm.exec(u"select S_UNo from StaffAccounts order by S_UNo"_s);
    while (q.next())
        accounts << q.value(0).toInt();
    return accounts;
}

void SetMarkedStaffAccounts(Db &firm, const QList<int> &accounts)
{
    Transaction tx(firm);
    firm.exec(u"delete from StaffAccounts"_s);
    for (int account : accounts)
        if (account != StaffAccount)
            firm.exec(u"insert or ignore into StaffAccounts (S_UNo) values (?)"_s, {account});
    tx.commit();
}

void StoreConversion(Db &next, const CurrencyConversion &conversion, const QString &sourceName, int sourceYear)
{
    next.exec(u"delete from Conversion"_s);
    next.exec(u"delete from ConversionLines"_s);
    next.exec(u"insert into Conversion (Conv_Source, Conv_Year, Conv_Account) values (?, ?, ?)"_s,
              {sourceName, sourceYear, conversion.differenceAccount});
    int no = 0;
    for (const ConversionLine &l : conversion.lines)
        next.exec(u"insert into ConversionLines (Line_No, Line_Kind, S_UNo, Line_Lots, Line_Side, Line_Leva, "
                  "Line_Euro, Line_Diff) values (?, ?, ?, ?, ?, ?, ?, ?)"_s,
                  {++no, int(l.kind), l.account, l.lots, l.side, l.leva, l.euro,
                   l.difference ? QVariant(*l.difference) : QVariant()});
}

StoredConversion ReadConversion(Db &firm)
{
    StoredConversion stored;
    QSqlQuery head = firm.exec(u"select Conv_Source, Conv_Year, Conv_Account from Conversion"_s);
    if (!head.next())
        return stored;
    stored.sourceName = head.value(0).toString();
    stored.sourceYear = head.value(1).toInt();
    stored.differenceAccount = head.value(2).toInt();
    QSqlQuery q = firm.exec(u"select Line_Kind, S_UNo, Line_Lots, Line_Side, Line_Leva, Line_Euro, Line_Diff "
                            "from ConversionLines order by Line_No"_s);
    while (q.next()) {
        ConversionLine l{ConversionLine::Kind(q.value(0).toInt()), q.value(1).toInt(), q.value(2).toString(),
                         q.value(3).toString(), q.value(4).toDouble(), q.value(5).toDouble(), {}};
        if (!q.value(6).isNull())
            l.difference = q.value(6).toDouble();
        stored.lines << l;
    }
    return stored;
}

bool ConvertsCurrency(int fromYear, int toYear)
{
    return CurrencyOfYear(fromYear) == Currency::Leva && CurrencyOfYear(toYear) == Currency::Euro;
}
