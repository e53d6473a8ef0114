#include "accounts/AccountRules.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "firm/Lookups.h"
#include "firm/Schema.h"

using namespace Qt::StringLiterals;

namespace AccountRules {

QString DuplicateMessage(const QString &typedNumber) { return u"Сметка: "_s + typedNumber + u" е вече въведена"_s; }

AccountDraft NewDraft() { return {}; }

AccountDraft DraftOf(const SRow &row)
{
    AccountDraft d;
    d.numberText = QString::number(row.S_UNo);
    d.name = row.S_Name;
    if (row.S_Act_Pas_Type >= 1 && row.S_Act_Pas_Type <= 3)
        d.balanceType = row.S_Act_Pas_Type;
    if (row.S_Kol_Val_Type >= 1 && row.S_Kol_Val_Type <= 3)
        d.measureType = row.S_Kol_Val_Type;
    if (row.S_An_Sint_Type == Synthetic || row.S_An_Sint_Type == Analytic)
        d.kind = row.S_An_Sint_Type;
    d.levels = row.S_An;
    return d;
}

std::optional<int> ParseNumber(const QString &text)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number == 0)
        return std::nullopt;
    return number;
}

QString TrimmedName(const QString &name)
{
    qsizetype first = 0;
    qsizetype last = name.size();
    while (first < last && name.at(first).unicode() < 33)
        ++first;
    while (last > first && name.at(last - 1).unicode() < 33)
        --last;
    return name.mid(first, last - first);
}

Problem CheckNamePage(Db &db, const AccountDraft &draft, int rememberedNumber)
{
    const auto number = ParseNumber(draft.numberText);
    if (!number)
        return {NumberMissingMessage, NamePage, Focus::Number};
    if (TrimmedName(draft.name).isEmpty())
        return {NameMissingMessage, NamePage, Focus::Name};
    if (*number != rememberedNumber && ChartStore::Find(db, *number))
        return {DuplicateMessage(draft.numberText), NamePage, Focus::Number};
    return {};
}

Problem CheckAnalyticsPage(const AccountDraft &draft)
{
    if (draft.kind == Analytic && draft.levels[0] == 0)
        return {LevelMissingMessage, AnalyticsPage, Focus::Level1};
    return {};
}

Problem CheckPage(Db &db, const AccountDraft &draft, int rememberedNumber, int page)
{
    switch (page) {
    case NamePage: return CheckNamePage(db, draft, rememberedNumber);
    case AnalyticsPage: return CheckAnalyticsPage(draft);
    default: return {};
    }
}

FieldLocks LocksOf(Db &db, std::optional<int> account)
{
    return {account.has_value() && AccountInUse(db, *account)};
}

void ChooseKind(AccountDraft &draft, int kind)
{
    draft.kind = kind == Analytic ? Analytic : Synthetic;
    if (draft.kind == Synthetic)
        draft.levels.fill(0);
}

void ChooseLevel(AccountDraft &draft, int position, int level)
{
    if (position < 1 || position > 5 || draft.kind != Analytic)
        return;
    const int k = position - 1;
    if (level != 0) {
        for (int before = 0; before < k; ++before)
            if (draft.levels[before] == 0)
                return;  // the box empties itself again
        draft.levels[k] = level;
        return;
    }
    for (int after = k; after < 5; ++after)
        draft.levels[after] = 0;
    bool anyLeft = false;
    for (int before = 0; before < k; ++before)
        anyLeft = anyLeft || draft.levels[before] != 0;
    if (!anyLeft)
        draft.kind = Synthetic;
}

namespace {
SRow RowOf(const AccountDraft &d, int number)
{
    SRow row;
    row.S_UNo = number;
    row.S_Name = TrimmedName(d.name);
    row.S_Act_Pas_Type = d.balanceType;
    row.S_Kol_Val_Type = d.measureType;
    row.S_An_Sint_Type = d.kind;
    if (d.kind == Analytic)
        row.S_An = d.levels;
    return row;
}
}  // namespace

SaveResult Save(Db &db, std::optional<int> original, const AccountDraft &draft)
{
    Transaction tx(db);
    std::optional<SRow> stored;
    if (original) {
        stored = ChartStore::Find(db, *original);
        if (!stored)
            throw EngineError(QString(), {{EngineCode::RecordDeleted, QString()}});
    }
    AccountDraft d = draft;
    if (stored && AccountInUse(db, *original)) {
        // Used since the editor opened (another user posted on it): what its postings depend on
        // stays, and the editor is told rather than shown a save of less than it typed.
        const AccountDraft kept = DraftOf(*stored);
        if (ParseNumber(d.numberText) != ParseNumber(kept.numberText) || d.measureType != kept.measureType
            || d.kind != kept.kind || (d.kind == Analytic && d.levels != kept.levels))
            return {{AccountInUseMessage, NamePage, Focus::Number}, 0};
        d.numberText = kept.numberText;
        d.measureType = kept.measureType;
        d.kind = kept.kind;
        d.levels = kept.levels;
    }
    for (int page : {NamePage, TypePage, AnalyticsPage}) {
        const Problem problem = CheckPage(db, d, original.value_or(0), page);
        if (problem.failed())
            return {problem, 0};
    }
    const int number = *ParseNumber(d.numberText);
    // The table's own range, checked here so the editor can keep the page and its focus.
    if (number < 1 || number > 9999)
        return {{Schema::AccountNumberMessage, NamePage, Focus::Number}, 0};
    const SRow row = RowOf(d, number);
    if (original)
        ChartStore::Update(db, *original, row);
    else
        ChartStore::Insert(db, row);
    // Operation templates and the statements' include rows follow a renumbered account; they do
    // not keep it in use, and a line must not go on naming a number the chart no longer has.
    if (original && *original != number) {
        for (const QString &elements : {u"opeldt"_s, u"opelkt"_s})
            db.exec(u"update "_s + elements + u" set OpEl_No = ? where OpEl_No = ?"_s, {number, *original});
        for (const QString &includes : {u"balans_data"_s, u"opr_data"_s, u"opp_data"_s})
            for (const QString &field : {u"OPR_Account_No"_s, u"OPR_AccCor_No"_s})
                db.exec(u"update "_s + includes + u" set "_s + field + u" = ? where "_s + field + u" = ?"_s,
                        {number, *original});
    }
    tx.commit();
    return {{}, number};
}

QString LockKey(int account) { return QString::number(account); }

}  // namespace AccountRules
