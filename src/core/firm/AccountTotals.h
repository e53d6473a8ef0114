#pragma once
// Balances and turnovers of an account or a lot over a range inside the reporting period. All
// figures come from the opening balances (Sns) and the analytic postings (an); journal lines are
// never summed. A range that starts after the first day of the period opens with the closing
// balance of the days before it.
#include <QDate>
#include <QString>
#include <array>
#include <optional>

class Db;

using LotKey = std::array<int, 5>;  // lot numbers at positions 1..5; 0 or less = any lot

struct TAccountStr {
    int number = 0;
    QString name;
    std::array<int, 5> levels{};
    int balanceType = 0;    // 1 active, 2 passive, 3 active/passive
    int measureType = 0;    // 1 value, 2 quantity, 3 currency
    int analyticType = 0;   // 1 synthetic, 2 analytic
};

struct ReportingPeriod {
    QDate Date_Ot;
    QDate Date_Do;
    bool contains(const QDate &d) const { return d.isValid() && Date_Ot <= d && d <= Date_Do; }
};

struct TAccountValue {
    bool valid = false;
    QString errorText;
    TAccountStr account;
    QString dateFrom, dateTo;
    double openDtKol = 0, openDtSt = 0, openKtKol = 0, openKtSt = 0;
    double turnDtKol = 0, turnDtSt = 0, turnKtKol = 0, turnKtSt = 0;
    double closeDtKol = 0, closeDtSt = 0, closeKtKol = 0, closeKtSt = 0;
};

struct TKorespValue {
    bool valid = false;
    QString errorText;
    TAccountStr account;
    TAccountStr corrAccount;
    QString dateFrom, dateTo;
    double dtKol = 0, dtSt = 0;
};

inline const QString PeriodMessage = QStringLiteral("Заявката е с дата извън отчетния период!");
inline const QString MissingAccountMessage = QStringLiteral("Сметката липсва е сметкоплана!");

ReportingPeriod ReadPeriod(Db &db);

// An entry group whose own postings are left out of a balance while the group is edited.
struct ExcludedGroup {
    int docNo = 0;
    int group = 0;
};

// Totals of `account` narrowed to `lots`. Never throws: a failure comes back not valid with its
// text ("Заявката е с дата извън отчетния период!", "Сметката липсва е сметкоплана!", …).
// `postingsTable` is the postings table as callers name it ("an", "An" or "An.DB").
TAccountValue GetAccountValue(Db &db, int account, const LotKey &lots, const ReportingPeriod &period,
                              const QDate &from, const QDate &to, const QString &postingsTable = QStringLiteral("an"),
                              const std::optional<ExcludedGroup> &excluded = std::nullopt);

// What `account` received on its debit side from `corrAccount`'s credit, unrounded.
TKorespValue GetKorespValue(Db &db, int account, int corrAccount, const LotKey &lots, const LotKey &corrLots,
                            const ReportingPeriod &period, const QDate &from, const QDate &to,
                            const QString &postingsTable = QStringLiteral("an"));

// Totals of lot `lot` of level `level` over every account that carries the level at any
// position; unrounded, closed as an active/passive account.
TAccountValue GetAnValue(Db &db, int level, int lot, const QDate &from, const QDate &to,
                         const QString &postingsTable = QStringLiteral("an"));

// The closing figures of a result from its opening and turnover figures, by balance type.
void CloseByBalanceType(TAccountValue &v, int balanceType, bool round);

// The default end of a report: today, or the period's last day when today lies outside it.
QDate DefaultEndDate(const ReportingPeriod &period, const QDate &today = QDate::currentDate());
// The date a new document starts with: today, or the nearer end of the period when today lies
// outside it.
QDate DefaultEntryDate(const ReportingPeriod &period, const QDate &today = QDate::currentDate());
