#pragma once
// The account extract: the postings of one account over a period, optionally narrowed to lots,
// grouped by posting date, corresponding account, document or the account's analytic levels.
// Grouped by levels, every lot of the account with an opening balance or a posting up to the
// period's end is listed — a lot without a posting in the period as a row of its own — with
// its opening and closing balance as the account totals give them, so the lots add up to the
// account.
#include "firm/AccountTotals.h"
#include "reportkit/Job.h"
#include "reportkit/Totals.h"
#include "reports/ExtractParts.h"
#include "reports/LotNames.h"

#include <array>
#include <memory>
#include <optional>

class Db;

enum class AccountGrouping { None = 0, Date = 1, CorrespondingAccount = 2, Document = 3, Levels = 4 };

struct AccountExtractOptions {
    QDate from;
    QDate to;
    QString firmName;
    int account = 0;
    LotKey lots{};  // 0: every lot of the level
    AccountGrouping grouping = AccountGrouping::Date;
    // Not with the analytic levels:
    std::optional<qint64> fromDocument, toDocument;
    int correspondingAccount = 0;
    int folder = 0;
    // Per analytic level: "ГР" the lot's turnover, "НС" its opening, "КС" its closing balance.
    std::array<bool, 5> turnovers{true, true, true, true, true};
    std::array<bool, 5> openings{};
    std::array<bool, 5> closings{};
    bool totalsOnly = false;  // "Разпечатай справката с обобщени обороти"
};

inline const QString AccountNotInChartMessage = QStringLiteral("Избраната сметка липсва в сметкоплана!");
inline const QString NoLastLevelMessage = QStringLiteral("Не мога да определя последния аналитичен признак!");
inline const QString NoExtractDataMessage = QStringLiteral("Няма данни отговарящи на зададеното условие!");

// The code the grouping is run with: 0..3, and 4..8 for the analytic levels (3 + the number of
// the account's levels); throws "Не мога да определя последния аналитичен признак!" when the
// levels of the account cannot be read.
int AccountGroupingCode(Db &db, int account, AccountGrouping grouping);

class AccountExtractJob : public rk::ReportJob {
public:
    // Throws "Избраната сметка липсва в сметкоплана!", "Не мога да определя последния
    // аналитичен признак!" or "Няма данни отговарящи на зададеното условие!".
    AccountExtractJob(Db &db, AccountExtractOptions options);
    ~AccountExtractJob() override;

    QString title() const override;
    rk::PageSetup setup() const override;
    void begin(rk::ReportLayout &layout) override;
    bool step(rk::ReportLayout &layout) override;
    void end(rk::ReportLayout &layout) override;
    int progress() const override;

    int code() const { return m_code; }
    const ExtractSums &totals() const { return m_sums.front(); }

private:
    QList<rk::GroupLevels::Level> groupLevels();
    rk::GroupLevels::Level lotLevel(int k);
    std::optional<TAccountValue> lotTotals(int k) const;
    QString lotName(int k) const;
    QString groupValue(const QVariant &key) const;
    std::vector<LotKey> openingLots() const;

    Db &m_db;
    AccountExtractOptions m_options;
    TAccountStr m_account;
    ReportingPeriod m_period;
    int m_code = 0;
    int m_levels = 0;  // the account's analytic levels
    mutable LotNames m_lotNames;  // read as the rows need them
    ExtractLayout m_layout;
    std::unique_ptr<ExtractRows> m_rows;
    std::unique_ptr<rk::GroupLevels> m_groups;
    ExtractRow m_row;
    std::vector<ExtractSums> m_sums;  // the report, then each group level
    qint64 m_printed = 0;
    qint64 m_estimate = 1;
};
