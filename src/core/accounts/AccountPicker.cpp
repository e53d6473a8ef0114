#include "accounts/AccountPicker.h"

#include "accounts/LevelStore.h"
#include "firm/Lookups.h"

using namespace Qt::StringLiterals;

namespace AccountPicker {

QList<SRow> Accounts(Db &db) { return ChartStore::All(db); }

PickerLotBoxes LotBoxes(Db &db, int account)
{
    PickerLotBoxes boxes;
    if (account == 0)
        return boxes;
    const auto found = FindAccount(db, account);
    if (!found)
        return boxes;
    for (int k = 0; k < 5; ++k) {
        const int level = found->levels[k];
        const auto nom = level > 0 ? LevelStore::Level(db, level) : std::nullopt;
        if (!nom || LotTableOfType(nom->Nom_Type).isEmpty())
            continue;
        PickerLotBox &box = boxes[k];
        box.visible = true;
        box.level = level;
        box.label = nom->Nom_Name + u':';
        box.lots = LevelStore::LotsOfLevel(db, level);
    }
    return boxes;
}

PickerProblem Check(PickerVariant variant, const PickerChoice &choice, const PickerLotBoxes &boxes)
{
    if (variant == PickerVariant::Template)
        return choice.account == 0 ? PickerProblem{PickAccountMessage, 0} : PickerProblem{};
    if (choice.account == 0)
        return {PickAccountAndLotsMessage, 0};
    for (int k = 0; k < 5; ++k)
        if (boxes[k].visible && choice.lots[k] == 0)
            return {PickAccountAndLotsMessage, k + 1};
    return {};
}

TAccountStr Result(const PickerChoice &choice, const PickerLotBoxes &boxes)
{
    TAccountStr r;
    r.number = choice.account;
    for (int k = 0; k < 5; ++k)
        r.levels[k] = boxes[k].visible ? choice.lots[k] : 0;
    for (int k = 4; k >= 0; --k)
        if (boxes[k].visible) {
            r.name = choice.lotTexts[k];
            break;
        }
    return r;
}

}  // namespace AccountPicker
