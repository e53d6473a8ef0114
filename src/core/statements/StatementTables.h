#pragma once
// The financial statements: each is a list of lines kept in a line table of the registry, shared
// by every firm, and each data line draws its amount from include rows kept per firm. The line
// tables are read here and never written; results live with the computation that made them.
#include "firm/AccountTotals.h"

#include <QList>
#include <QString>
#include <QStringList>

class Db;

// The statement type numbers the program has always used.
enum class StatementType { Income = 0, CashFlow = 1, Balance = 2, None = 3 };

struct StatementLine {
    int OPR_ID = 0;
    int OPR_Pok_No = 0;
    QString OPR_Pok_Name;
    QString OPR_Pok_Code;
    int OPR_Value = 0;  // 0 blank or heading, 1 data line, other values a total line
    int OPR_Grup = 0;   // group a data line's amounts go into, 0 none
};

// Kinds of include row (OPR_Account_Type).
namespace IncludeKind {
inline constexpr int OpeningDebit = 1;
inline constexpr int OpeningCredit = 2;
inline constexpr int DebitTurnover = 3;
inline constexpr int CreditTurnover = 4;
inline constexpr int ClosingDebit = 5;
inline constexpr int ClosingCredit = 6;
inline constexpr int Correspondence = 7;
inline constexpr int CurrentConstant = 8;
inline constexpr int PreviousYear = 9;
}  // namespace IncludeKind

struct IncludeRow {
    int OPR_ID = 0;  // 0 for a row not written yet
    int OPR_Pok_No = 0;
    int OPR_Account_Type = 0;
    int OPR_Account_No = 0;
    LotKey OPR_Account_An{};
    int OPR_AccCor_No = 0;
    LotKey OPR_AccCor_An{};
    double OPR_ConstValue = 0;
    int OPR_Kor = 0;  // balance sheet only: 1 feeds the line's correction
    bool operator==(const IncludeRow &) const = default;
};

QString LineTableOf(StatementType type);     // BALANS, OPR, OPP
QString IncludeTableOf(StatementType type);  // balans_data, opr_data, opp_data
// "Баланс", "ОПР", "ОПП"
QString StatementName(StatementType type);
// Only the balance sheet has the correction ("Коректив").
inline bool HasCorrection(StatementType type) { return type == StatementType::Balance; }
// The type of a number read from outside (a window's argument, a command line); None otherwise.
StatementType StatementTypeOf(int number);

// The statement's lines in the order of the table's key.
QList<StatementLine> ReadStatementLines(Db &registry, StatementType type);
// Every include row of the firm's statement, by line number and then in the order written.
QList<IncludeRow> ReadIncludeRows(Db &firm, StatementType type);
// The include rows of one line.
QList<IncludeRow> ReadIncludeRows(Db &firm, StatementType type, int lineNo);

// "Сметка - Начално салдо дебит" … "Данни за предходна година"; "Не е посочена сметка" for any
// other kind.
QString IncludeKindText(int kind);
// "Коректив" beside a balance-sheet row that feeds the correction, else empty.
QString IncludeCorrectionText(StatementType type, const IncludeRow &row);

// The statement lines whose include rows name `account` (as the account or the corresponding
// account), as "Баланс, ред: Касови наличности", each line once; a line is named by its number
// when the registry is not given or has no name for it.
QStringList LinesNamingAccount(Db &firm, Db *registry, int account);

inline const QString RestoreDefaultsQuestion =
    QStringLiteral("Въведените настройки ще бъдат изтрити!\rЖелаете ли да продължите!");
// "Настройка по подразбиране": after a yes, the firm's include rows of the statement are replaced
// by the registry's template in one transaction. True when they were replaced.
bool RestoreDefaultIncludeRows(Db &firm, Db &registry, StatementType type);
