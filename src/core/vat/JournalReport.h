#pragma once
// The printed VAT journal (TDPokRep for purchases, TDProdRep for sales): a landscape list with
// the title block on the first page, the column headings on every page, the totals and the
// signature lines after the last row.
#include "reportkit/Job.h"
#include "vat/VatJournal.h"

class JournalReportJob : public rk::ReportJob {
public:
    // Throws "Няма данни отговарящи на зададеното условие!" for an empty journal and
    // "Грешка при сумиране на данните от дневниците!" for one without sums.
    JournalReportJob(VatJournal journal, QString firmName);

    QString title() const override;
    rk::PageSetup setup() const override;
    void begin(rk::ReportLayout &layout) override;
    bool step(rk::ReportLayout &layout) override;
    void end(rk::ReportLayout &layout) override;
    int progress() const override;

    // The print's column headings, in column order.
    static QStringList Headings(VatJournalKind kind);

private:
    struct Column {
        double x, w;
    };
    static QList<Column> Columns();
    rk::Band detail(const JournalRow &row) const;

    VatJournal m_journal;
    QString m_firmName;
    int m_next = 0;
};
