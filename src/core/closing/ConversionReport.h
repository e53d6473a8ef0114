#pragma once
// The conversion list of the balances a leva year carried into the first euro year: every key
// with its side, its leva and euro amounts, each analysed account's total with what the rounding
// of its keys added, the totals, and the rounding difference with the account it opens on. The
// accountant files it with the year's papers.
#include "closing/EuroConversion.h"
#include "reportkit/Job.h"

class ConversionListJob : public rk::ReportJob {
public:
    // `firmName` is the firm the balances were carried into.
    ConversionListJob(StoredConversion conversion, QString firmName);

    QString title() const override;
    rk::PageSetup setup() const override;
    void begin(rk::ReportLayout &layout) override;
    bool step(rk::ReportLayout &layout) override;
    void end(rk::ReportLayout &layout) override;
    int progress() const override;

private:
    rk::Band line(const ConversionLine &l) const;

    StoredConversion m_conversion;
    QString m_firmName;
    int m_next = 0;
};

// The list as it was made by a closing or a carry, for the window and the command line.
StoredConversion StoredFrom(const CurrencyConversion &conversion, const QString &sourceName, int sourceYear);
