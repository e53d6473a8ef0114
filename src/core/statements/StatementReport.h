#pragma once
// The printed statements: the balance sheet, the income statement and the cash-flow statement,
// each on A4 portrait pages from one computation's result. The page header carries the title,
// the firm and the period on every page; the balance sheet's side heading ("АКТИВ"/"ПАСИВ") and
// the income statement's ("РАЗХОДИ"/"ПРИХОДИ") follow the line that opens the page, and each
// starts a new page after the last line of its first side.
#include "reportkit/Job.h"
#include "statements/StatementComputation.h"

class StatementReportJob : public rk::ReportJob {
public:
    StatementReportJob(ComputedStatement statement, QString firmName);

    QString title() const override;
    rk::PageSetup setup() const override { return {}; }
    void begin(rk::ReportLayout &layout) override;
    bool step(rk::ReportLayout &layout) override;
    void end(rk::ReportLayout &layout) override;
    int progress() const override;

    // The last line of the first side (63 on the balance sheet, 33 on the income statement), 0
    // for the cash flow.
    static int FirstSideEnd(StatementType type);

private:
    struct Column {
        double x = 0, w = 0;
    };
    bool secondSide(int lineNo) const;
    rk::Band header(const rk::Band &next) const;
    rk::Band columnHeadings(bool second) const;
    rk::Band detail(const ComputedLine &line) const;
    QList<Column> columns(bool second) const;
    double width() const { return setup().contentWidth(); }

    ComputedStatement m_statement;
    QString m_firmName;
    int m_next = 0;
    bool m_breakNext = false;
};
