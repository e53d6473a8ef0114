#pragma once
// What the main window shows and allows in each mode: the list items, the title over the list,
// the state of the buttons over it, the detail lines of the selected record and the keys of the
// navigation column. The window draws what these answer and decides nothing itself.
#include "accounts/ChartStore.h"
#include "accounts/LevelStore.h"
#include "accounts/NomRules.h"
#include "accounts/OpeningBalances.h"
#include "firm/AccountTotals.h"
#include "posting/Documents.h"
#include "shell/PhysicalKeys.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>
#include <optional>

class Db;
struct FirmRecord;

// Mode 4 exists only while the documents window of a folder is open.
enum class MainMode { None = 0, Chart = 1, Levels = 2, Folders = 3, Documents = 4, OpeningBalances = 5, Reports = 6 };

// One image per list kind.
namespace ListImage {
inline constexpr int Accounts = 0;
inline constexpr int Levels = 1;
inline constexpr int Lots = 2;
inline constexpr int Folders = 3;
inline constexpr int Reports = 4;
}  // namespace ListImage

enum class NavEntry { Chart, Levels, Posting, FirmChoice, Reports, YearClosing, Help };

struct NavigationEntry {
    NavEntry entry;
    QString caption;  // with its leading blanks
    Qt::Key key;      // pressed with Alt
};

const QList<NavigationEntry> &NavigationEntries();
const NavigationEntry &NavigationEntryOf(NavEntry entry);
// The entry a released key opens; only Alt may be held with it (the keypad flag aside). The key
// is the physical one: a letter key known by its scan code counts by the Latin letter engraved
// on it, whatever the layout types; without a scan code the key's own letter counts.
std::optional<NavEntry> NavigationEntryForKey(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0,
                                             ScanCodeSet set = ScanCodeSet::Xkb);
// True when one of the layouts types `letter` on a key of the navigation column, so that an
// Alt accelerator on it would repeat a navigation key.
bool ClashesWithNavigationKeys(QChar letter);

struct ListItem {
    int key = 0;  // account, level, lot or folder number, or report code
    QString caption;
};

QList<ListItem> ChartItems(const QList<SRow> &accounts);
QList<ListItem> LevelItems(Db &db);
// Lots of a level from its lot table; none for a level without one.
QList<ListItem> LotItems(Db &db, int level);
QList<ListItem> FolderItems(Db &db);
QList<ListItem> ReportItems();

QString ModeTitle(MainMode mode, bool lotView);

struct ButtonState {
    QString caption;
    bool visible = false;
    bool enabled = false;
};

struct ListButtons {
    ButtonState add, edit, remove, balances, back;
};

// What the buttons depend on besides the mode: which editors and windows the program has
// installed, and what is selected.
struct ListContext {
    MainMode mode = MainMode::None;
    bool lotView = false;
    bool accountEditor = false;
    bool nomEditor = false;
    bool balanceEditor = false;
    bool operations = false;
    bool reports = false;
    bool statementSettings = false;
    bool canAddBalance = true;
    std::optional<int> reportCode;
};

ListButtons ListButtonsFor(const ListContext &context);

struct DetailLine {
    QString caption;
    QString value;
};

// "Вид на сметката:", "Тип на сметката:", "Характеристика:" and, for an analytic account, the
// names of its levels under "Аналитични нива:", positions without a level left out.
QList<DetailLine> AccountLines(Db &db, const SRow &account);
QList<DetailLine> LevelLines(const NomRow &level);
// The lines of a lot by its level's type; empty when the lot is not found.
QList<DetailLine> LotLines(Db &db, const NomRow &level, int lot);
// The totals panel of the opening balances of `account`, with the lot names of `current`.
QList<DetailLine> OpeningBalanceLines(Db &db, const SRow &account, const std::optional<SnsRow> &current);

// The twelve figures of the totals tab, two decimals each: rows opening, turnover, closing;
// columns debit quantity, debit value, credit quantity, credit value.
QList<QStringList> TotalsFigures(const TAccountValue &value);
// The whole reporting period of `account`, no lot filter.
TAccountValue AccountTotalsOverPeriod(Db &db, int account);

// The line under the opening balances: the debit and credit totals of all the firm's opening
// balances and their difference, which must be 0.00 before the books balance.
struct OpeningTotalsLine {
    QString text;
    bool balanced = true;
};
OpeningTotalsLine OpeningTotalsOf(Db &db);

// One row of the opening-balance grid: debit quantity, debit value, credit value, credit
// quantity, then the lot names at positions 1..5.
QStringList OpeningBalanceCells(Db &db, const SRow &account, const SnsRow &row);

// The filter menu of the document tools in posting mode, in menu order, with the status text each
// one sets.
struct DocumentFilterEntry {
    DocumentFilter filter;
    QString menuCaption;
    QString statusText;
};
const QList<DocumentFilterEntry> &DocumentFilterEntries();
QString DocumentFilterStatus(DocumentFilter filter);

// What the year closing does, for its window.
QString YearClosingDescription(const FirmRecord &firm);
QString YearClosedQuestion(const FirmRecord &newFirm, bool repeated = false);
