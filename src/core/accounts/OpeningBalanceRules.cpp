#include "accounts/OpeningBalanceRules.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "engine/Rounding.h"
#include "firm/Lookups.h"
#include "firm/Schema.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace OpeningBalanceRules {

Box LotBox(int position) { return static_cast<Box>(static_cast<int>(Box::Lot1) + position - 1); }

QList<LotSlot> LotSlots(Db &db, const TAccountStr &account)
{
    QList<LotSlot> lotSlots;
    for (int k = 1; k <= 5; ++k) {
        const int level = account.levels[k - 1];
        if (level != 0 && !LotTableOfLevel(db, level).isEmpty())
            lotSlots << LotSlot{k, level, LevelName(db, level) + u":"_s};
    }
    return lotSlots;
}

bool ShowsQuantities(const TAccountStr &account) { return account.measureType == 2 || account.measureType == 3; }

bool SaveAndNewAllowed(const TAccountStr &account) { return account.analyticType == 2; }

QString AddRefusal(Db &db, const TAccountStr &account)
{
    return OpeningBalances::CanAdd(db, account.number) ? QString() : SyntheticHasRowMessage;
}

std::optional<double> ParseValue(const QString &text, int decimals)
{
    if (text.trimmed().isEmpty())
        return 0.0;
    const auto value = Formats::ParseDecimal(text);
    // Beyond 15 significant digits the rounding rule no longer keeps the decimals.
    if (!value || std::fabs(*value) >= std::pow(10.0, 15 - decimals))
        return std::nullopt;
    return value;
}

Problem ReadValues(const TypedValues &typed, SnsRow &row)
{
    struct Field {
        const QString &text;
        int decimals;
        double &target;
        Box box;
    };
    const Field fields[] = {{typed.kolDt, kQuantityDecimals, row.Sn_Kol_Dt, Box::KolDt},
                            {typed.stDt, kAmountDecimals, row.Sn_St_Dt, Box::StDt},
                            {typed.kolKt, kQuantityDecimals, row.Sn_Kol_Kt, Box::KolKt},
                            {typed.stKt, kAmountDecimals, row.Sn_St_Kt, Box::StKt}};
    for (const Field &f : fields) {
        const auto value = ParseValue(f.text, f.decimals);
        if (!value)
            return {InvalidValueMessage(f.text.trimmed()), f.box};
        f.target = *value;
    }
    return {};
}

namespace {

// The row as it would be stored: the account's number, no lot where the account shows no box,
// no quantity on a value account, every value rounded.
SnsRow Normalised(const TAccountStr &account, const QList<LotSlot> &lotSlots, SnsRow row)
{
    row.Sn_UNo = account.number;
    std::array<int, 5> lots{};
    for (const LotSlot &slot : lotSlots)
        lots[slot.position - 1] = row.Sn_An[slot.position - 1];
    row.Sn_An = lots;
    if (!ShowsQuantities(account))
        row.Sn_Kol_Dt = row.Sn_Kol_Kt = 0;
    return OpeningBalances::Rounded(row);
}

}  // namespace

Problem Check(const TAccountStr &account, const QList<LotSlot> &lotSlots, const SnsRow &given)
{
    for (const LotSlot &slot : lotSlots)
        if (given.Sn_An[slot.position - 1] == 0)
            return {LotMissingMessage, LotBox(slot.position)};

    const SnsRow r = Normalised(account, lotSlots, given);
    const bool kolDt = r.Sn_Kol_Dt != 0, stDt = r.Sn_St_Dt != 0, kolKt = r.Sn_Kol_Kt != 0, stKt = r.Sn_St_Kt != 0;
    const bool quantities = ShowsQuantities(account);
    if (quantities && !kolDt && !stDt && !kolKt && !stKt)
        return {ValueMissingMessage, Box::KolDt};
    if (!quantities && !stDt && !stKt)
        return {ValueMissingMessage, Box::StDt};

    if (stDt && (kolKt || stKt))
        return {BothSidesMessage, Box::StDt};
    if (kolDt && (kolKt || stKt))
        return {BothSidesMessage, Box::KolDt};
    if (stKt && (kolDt || stDt))
        return {BothSidesMessage, Box::StKt};
    if (kolKt && (kolDt || stDt))
        return {BothSidesMessage, Box::KolKt};

    if (quantities) {
        if (kolDt != stDt)
            return {ValueMissingMessage, kolDt ? Box::StDt : Box::KolDt};
        if (kolKt != stKt)
            return {ValueMissingMessage, kolKt ? Box::StKt : Box::KolKt};
    }
    return {};
}

Problem Save(Db &db, const TAccountStr &account, const std::optional<SnsRow> &original, const SnsRow &given)
{
    const QList<LotSlot> lotSlots = LotSlots(db, account);
    if (const Problem problem = Check(account, lotSlots, given); problem.failed())
        return problem;
    const SnsRow row = Normalised(account, lotSlots, given);
    Transaction tx(db);
    // The account and its lots as they are now: another user may have deleted one, or changed the
    // account's levels, since the editor read them.
    const auto now = FindAccount(db, account.number);
    if (!now || now->levels != account.levels || !LotsFitAccount(db, *now, row.Sn_An))
        return {AccountChangedMessage, Box::None};
    if (!original && !OpeningBalances::CanAdd(db, account.number))
        return {SyntheticHasRowMessage, Box::None};
    try {
        if (original) {
            if (!OpeningBalances::Update(db, *original, row))
                return {OpeningRowGoneMessage, Box::None};
        } else
            OpeningBalances::Insert(db, row);
    } catch (const EngineError &e) {
        if (e.message() == Schema::OpeningBalanceKeyMessage)
            return {Schema::OpeningBalanceKeyMessage, lotSlots.isEmpty() ? Box::None : Box::Lot1};
        throw;
    }
    tx.commit();
    return {};
}

QString LockKey(const SnsRow &row)
{
    return u"%1|%2|%3|%4|%5|%6"_s.arg(row.Sn_UNo)
        .arg(row.Sn_An[0])
        .arg(row.Sn_An[1])
        .arg(row.Sn_An[2])
        .arg(row.Sn_An[3])
        .arg(row.Sn_An[4]);
}

std::optional<LockHolder> LockedRowOfAccount(Db &db, int account)
{
    for (const SnsRow &row : OpeningBalances::RowsOf(db, account))
        if (auto holder = LockedByOther(db, LockTable, LockKey(row)))
            return holder;
    return std::nullopt;
}

QString ShowAmount(double value) { return value == 0 ? u"0"_s : Formats::Amount(value); }

QString ShowQuantity(double value) { return value == 0 ? u"0"_s : Formats::Quantity(value); }

}  // namespace OpeningBalanceRules
