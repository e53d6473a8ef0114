#pragma once
// The account picker: an account box and one lot box per analytic level of the chosen account.
// The journal-entry variant wants every shown box filled; the template and indicator variant
// takes a blank lot as 0.
#include "accounts/ChartStore.h"
#include "firm/AccountTotals.h"

#include <QList>
#include <QString>
#include <array>
#include <utility>

class Db;

struct PickerLotBox {
    bool visible = false;
    int level = 0;
    QString label;                          // the level's name + ":"
    QList<std::pair<int, QString>> lots;    // NomEl_No, NomEl_Name in name order
};
using PickerLotBoxes = std::array<PickerLotBox, 5>;

enum class PickerVariant {
    Template,  // operation templates and statement indicators
    Entry,     // journal entry grids
};

// What the user has in the boxes: the account (0 = blank) and the lot chosen in each box
// (0 = blank) with the text the box displays.
struct PickerChoice {
    int account = 0;
    std::array<int, 5> lots{};
    std::array<QString, 5> lotTexts;
};

struct PickerProblem {
    QString message;  // empty when the choice may be confirmed
    int focus = -1;   // 0 the account box, 1..5 a lot box
};

inline const QString PickAccountMessage = QStringLiteral("Изберете сметка!");
inline const QString PickAccountAndLotsMessage = QStringLiteral("Изберете сметка/аналитично ниво!");
inline const QString PickAgainMessage = QStringLiteral("Моля изберете сметка отново!");

namespace AccountPicker {
// The accounts the picker lists: number and name, in number order.
QList<SRow> Accounts(Db &db);
// The lot boxes of an account: hidden for a blank account, for position without a level, for a
// missing level and for a level type without lots.
PickerLotBoxes LotBoxes(Db &db, int account);
PickerProblem Check(PickerVariant variant, const PickerChoice &choice, const PickerLotBoxes &boxes);
// The result: the account, each shown box's lot (0 when blank or hidden) and the name of the
// lowest shown lot box as displayed (empty without lot boxes).
TAccountStr Result(const PickerChoice &choice, const PickerLotBoxes &boxes);
}  // namespace AccountPicker
