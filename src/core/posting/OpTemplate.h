#pragma once
// An operation template: a named pattern of an entry group of one folder — which accounts and
// lots are debited and credited, split into tax base, excise and VAT — without amounts. Its
// elements sit in six grids like the journal entry wizard's work lines, and the same one-to-many
// shape holds for them. The editor's rules live here, so they hold the same with or without a
// window.
#include "posting/EntryGroup.h"

#include <QList>
#include <QString>
#include <array>

class Db;
class TFD;
class TDM;

// One row of opeldt (debit) or opelkt (credit). The kind is the grid the element sits in.
struct OpElement {
    int id = 0;         // OpEl_Id
    int account = 0;    // OpEl_No
    LotKey lots{};      // OpEl_An1..OpEl_An5
    QString name;       // OpEl_Name, as the picker gave it
    double kol = 0;     // OpEl_Kol and OpEl_St are kept as stored and cleared with a new account
    double st = 0;
    friend bool operator==(const OpElement &, const OpElement &) = default;
};

struct OpTemplate {
    int opId = 0;       // Op_id
    int folder = 0;     // Pap_Id; 0 while none is chosen
    QString name;       // Op_Name
    std::array<QList<OpElement>, 6> grids;

    QList<OpElement> &rows(Grid g) { return grids[int(g)]; }
    const QList<OpElement> &rows(Grid g) const { return grids[int(g)]; }
    GridCounts counts() const;
    int debitCount() const { return DebitCount(counts()); }
    int creditCount() const { return CreditCount(counts()); }
};

inline const QString OpNameMissingMessage = QStringLiteral("Въведете наименование на операцията!");
inline const QString OpFolderMissingMessage = QStringLiteral("Изберете папка!");

namespace OpTemplateRules {

// The stored kind of a grid's elements: 0 tax base, 1 excise, 2 VAT (the wizard's work lines
// number the same kinds 1..3).
int KindOfGrid(Grid grid);
// The grid of a stored kind on a side; false for a kind outside 0..2.
bool GridOfKind(int kind, bool debit, Grid &grid);
// The grid's name in the save check's message: SDt, SDt2, SDt3, SKt, SKt2, SKt3.
QString GridName(Grid grid);

// The account check: "" when the account is filled and in the chart, else its message.
QString AccountProblem(Db &db, int account);

// Adds an element to the grid after the silent refusals and the account check of the grid's
// current element (`currentRow`, or its last one); its message is shown. The new element's
// row, or -1 when refused.
int AddElement(TFD &fd, TDM &dm, OpTemplate &op, Grid grid, int currentRow);

// A typed account number: the lots, their name, quantity and amount go with the old account.
void SetAccount(OpElement &element, int account);
// The picker's choice: account, lots and their name; quantity and amount go with a new account.
void TakePicked(OpElement &element, const TAccountStr &picked);

// The save checks in their order, showing their messages; true when the template may be saved.
bool ValidateForSave(Db &db, const OpTemplate &op);

}  // namespace OpTemplateRules
