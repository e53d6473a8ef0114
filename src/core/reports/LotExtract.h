#pragma once
// The lot extract: the postings of every account that carries a lot of an analytic level, over
// a period, with the lot's opening balance, turnovers and closing balance across all of them.
#include "firm/AccountTotals.h"
#include "reportkit/Job.h"
#include "reportkit/Totals.h"
#include "reports/ExtractParts.h"
#include "reports/LotNames.h"

#include <memory>

class Db;

enum class LotGrouping { None = 0, Date = 1, Account = 2, Document = 3, Folder = 4 };

struct LotExtractOptions {
    QDate from;
    QDate to;
    QString firmName;
    int level = 0;
    int lot = 0;
    LotGrouping grouping = LotGrouping::Date;
};

class LotExtractJob : public rk::ReportJob {
public:
    // Throws "Няма данни отговарящи на зададеното условие!" only when the lot has no posting in
    // the period and no opening balance; the totals' own failure with its text.
    LotExtractJob(Db &db, LotExtractOptions options);
    ~LotExtractJob() override;

    QString title() const override;
    rk::PageSetup setup() const override;
    void begin(rk::ReportLayout &layout) override;
    bool step(rk::ReportLayout &layout) override;
    void end(rk::ReportLayout &layout) override;
    int progress() const override;

    const TAccountValue &lotTotals() const { return m_totals; }
    const ExtractSums &totals() const { return m_sums[0]; }

private:
    QVariant groupKey() const;
    QList<rk::Band> summary() const;

    Db &m_db;
    LotExtractOptions m_options;
    TAccountValue m_totals;
    LotNames m_lotNames;
    ExtractLayout m_layout;
    std::unique_ptr<ExtractRows> m_rows;
    std::unique_ptr<rk::GroupLevels> m_groups;
    ExtractRow m_row;
    ExtractSums m_sums[2];  // the report, the group
    qint64 m_printed = 0;
    qint64 m_estimate = 1;
};
