#pragma once
// One entry group of a document as the journal entry wizard edits it: the header (posting date
// and, with VAT, the document's VAT details) and the work lines of its six grids. The rules that
// decide what may be added, what is shown and whether the group may be saved live here, so they
// hold the same with or without a window.
#include "firm/AccountTotals.h"

#include <QDate>
#include <QList>
#include <QString>
#include <array>

class Db;
class TFD;
class TDM;

enum class Grid { BaseDt = 0, ExciseDt, VatDt, BaseKt, ExciseKt, VatKt };
inline constexpr std::array<Grid, 6> AllGrids = {Grid::BaseDt, Grid::ExciseDt, Grid::VatDt,
                                                 Grid::BaseKt, Grid::ExciseKt, Grid::VatKt};
inline bool IsDebit(Grid g) { return int(g) < 3; }
// How many rows (or template elements) each of the six grids holds.
using GridCounts = std::array<int, 6>;
int DebitCount(const GridCounts &counts);
int CreditCount(const GridCounts &counts);

// One row of SDt (debit) or SKt (credit).
struct WorkLine {
    int doc = 0;
    int grp = 0;
    int id = 0;
    int account = 0;
    LotKey lots{};
    QString name;
    int ddsType = 0;
    double kol = 0;  // 0 = empty
    double st = 0;   // 0 = empty
};

struct EntryHeader {
    QDate postingDate;     // Nom_DDSDate with VAT, the date box without
    int vidDostavka = 0;   // Nom_VidDostavka
    int docType = 0;       // Nom_DocType
    int kontra = 0;        // Nom_Kontra
};

struct EntryGroup {
    int docNo = 0;
    int group = 0;
    bool isNew = true;
    // The number was drawn when the group was opened and nothing of it is stored yet (also a
    // VAT group of a document kind without entries); the save draws it again.
    bool numberDrawn = false;
    bool withVat = false;
    EntryHeader header;
    std::array<QList<WorkLine>, 6> grids;

    QList<WorkLine> &rows(Grid g) { return grids[int(g)]; }
    const QList<WorkLine> &rows(Grid g) const { return grids[int(g)]; }
    GridCounts counts() const;
    int debitCount() const { return DebitCount(counts()); }
    int creditCount() const { return CreditCount(counts()); }
};

struct Focus {
    QString message;  // empty: passed
    QString field;    // "date", "vidDostavka", "docType", "kontra", "account", "lots", "kol", "st"
};

inline constexpr double QuantityLimit = 99999999999.9999;
inline constexpr double AmountLimit = 99999999999.99;

namespace EntryRules {

// The kind a grid's rows carry: 1..3 with VAT, 0 without.
int KindOfGrid(Grid grid, bool withVat);
// Base grids always; excise and VAT grids only with VAT and by the delivery type.
bool GridShown(Grid grid, bool withVat, int vidDostavka);
QString PanelCaption(Grid grid, bool withVat);

// A new VAT group starts as a purchase with full credit on an invoice, dated with the document.
void ApplyNewVatDefaults(EntryHeader &header, const QDate &documentDate);
// A new delivery type empties the four excise and VAT grids.
void ChangeDeliveryType(EntryGroup &group, int vidDostavka);

// The header check, in its order, with the field to focus.
Focus CheckHeader(const EntryHeader &header, bool withVat, const ReportingPeriod &period);
// The check of a date typed into a date box: "" for a good date.
QString CheckTypedDate(const QString &text, const ReportingPeriod &period);

// The row check: account, lots, quantity (a question), amount. Shows its messages.
bool CheckRow(Db &db, const WorkLine &row, QString *focusField = nullptr);

// The one-to-many shape entry groups and operation templates keep: a base grid takes another
// row unless it has one already and the other side more than one; an excise or VAT grid holds
// one row.
bool ShapeTakesRow(const GridCounts &counts, Grid grid);
// The shape checks of a save in their order, "" when they pass; without `sidesRequired` both
// sides may be empty.
QString ShapeProblem(const GridCounts &counts, bool sidesRequired);

// Whether a row may be added to the grid (refusals are silent).
bool MayAddRow(const EntryGroup &group, Grid grid);
// A new row of the grid with its identifier from the shared counter.
WorkLine NewRow(TFD &fd, TDM &dm, const EntryGroup &group, Grid grid);
// Rounds quantity and amount as they are posted, or answers the range message.
QString RoundRow(WorkLine &row);
// A value typed into the quantity or the amount cell of a row: an empty cell is 0, a number is
// rounded by the rule of its column; any other text is refused with "Невалидна стойност: " and
// the text, a value out of range with RoundRow's message. The row changes only when the value
// is taken.
QString TypeNumber(WorkLine &row, bool amount, const QString &text);

// Typing an account number clears the lots and the lot name.
void SetAccount(WorkLine &row, int account);
// Quantity and amount editing by the account's measure; clears what the account does not take.
struct Editable {
    bool kol = false;
    bool st = false;
};
Editable EditableColumns(Db &db, WorkLine &row);

// The save validation a–g, showing its messages.
bool ValidateForSave(Db &db, EntryGroup &group, const ReportingPeriod &period);

// Fills the grids from operation template `opId`: every row of the six grids is replaced by the
// template's elements that have a shown grid, with empty quantity and amount. An element whose
// account is no longer in the chart comes in as a row without an account, and the account
// check's message is shown. False when the template is gone.
bool ApplyTemplate(TFD &fd, TDM &dm, EntryGroup &group, int opId);

// The lot name of a key: the name of the lot at the highest position with a lot.
QString KeyName(Db &db, int account, const LotKey &lots);

// The group's work lines as stored, each in its grid by side and kind.
EntryGroup Load(Db &db, int docNo, int group, bool withVat, bool isNew);

}  // namespace EntryRules
