#pragma once
// The trial balance: for every account (or one) its opening balance, turnovers and closing
// balance over the period, with a line of totals; a value form on portrait pages and a quantity
// form on landscape pages.
#include "firm/AccountTotals.h"
#include "reportkit/Job.h"
#include "reportkit/Totals.h"

#include <QDate>
#include <QList>

class Db;

struct TrialBalanceOptions {
    QDate from;
    QDate to;
    QString firmName;
    int account = 0;        // 0: all accounts
    bool usedOnly = true;   // only accounts with opening balances or turnovers
    bool quantity = false;  // the quantity form
};

class TrialBalanceJob : public rk::ReportJob {
public:
    TrialBalanceJob(Db &db, TrialBalanceOptions options);

    QString title() const override;
    rk::PageSetup setup() const override;
    void begin(rk::ReportLayout &layout) override;
    bool step(rk::ReportLayout &layout) override;
    void end(rk::ReportLayout &layout) override;
    int progress() const override;

    // The twelve running totals in detail order: opening, turnover, closing; debit quantity,
    // debit amount, credit quantity, credit amount.
    std::array<double, 12> totals() const;
    int rowsPrinted() const { return m_printed; }

private:
    struct Column {
        double x, w;
    };
    QList<rk::Band> header() const;
    rk::Band detail(const TAccountValue &v) const;
    QList<Column> numberColumns() const;
    double width() const;

    Db &m_db;
    TrialBalanceOptions m_options;
    ReportingPeriod m_period;
    QList<std::pair<int, QString>> m_accounts;
    int m_next = 0;
    int m_printed = 0;
    rk::RunningTotals m_totals;
};
