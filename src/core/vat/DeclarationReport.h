#pragma once
// The printed VAT return (TDDSSprD): the header boxes, sections А to Д with their cells, and the
// signatory's statement, on one portrait page.
#include "reportkit/Job.h"
#include "vat/Declaration.h"

class DeclarationReportJob : public rk::ReportJob {
public:
    explicit DeclarationReportJob(Declaration declaration);

    QString title() const override;
    rk::PageSetup setup() const override;
    void begin(rk::ReportLayout &layout) override;
    bool step(rk::ReportLayout &layout) override;
    void end(rk::ReportLayout &layout) override;
    int progress() const override;

private:
    QList<rk::Band> header() const;
    QList<rk::Band> sections() const;
    QList<rk::Band> footer() const;

    Declaration m_d;
    bool m_done = false;
};
