#include "CliSupport.h"

#include "engine/Errors.h"
#include "firm/AccountTotals.h"
#include "firm/TDM.h"
#include "registry/FirmChoice.h"
#include "registry/TFD.h"
#include "reportkit/Output.h"
#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "reports/ReportPeriod.h"


using namespace Qt::StringLiterals;

namespace cli {

FirmRecord OpenFirmOption(TFD &fd, TDM &dm, const ParsedLine &line)
{
    const qint64 firmId = line.number(FirmOption.name);
    const auto firm = fd.Firm(int(firmId));
    if (!firm)
        throw MyException(u"Няма фирма с номер "_s + QString::number(firmId));
    const FirmOpenResult opened = OpenFirm(fd, dm, *firm);
    if (!opened.opened)
        throw MyException(opened.message);
    return *firm;
}

std::pair<QDate, QDate> ReportPeriodOption(TDM &dm, const ParsedLine &line)
{
    const ReportingPeriod period = ReadPeriod(dm.db());
    const QDate from = line.date(FromOption.name, period.Date_Ot);
    const QDate to = line.date(ToOption.name, DefaultEndDate(period));
    const QString problem = ReportPeriodProblem(from, to, period);
    if (!problem.isEmpty())
        throw MyException(problem);
    return {from, to};
}

void RequireOneOutput(const ParsedLine &line) { RequireExactlyOne(line, {TextOption.name, PdfOption.name}); }

void RequireWritableOutput(const ParsedLine &line)
{
    // Whichever output the command was given: a report, a text or a file for the tax authority.
    for (const QString &option : {PdfOption.name, TextOption.name, u"--file"_s}) {
        if (!line.has(option))
            continue;
        if (const QString problem = rk::OutputFileProblem(line.text(option)); !problem.isEmpty())
            throw MyException(problem);
    }
}

void WriteReport(const ParsedLine &line, rk::PageStore &pages, QTextStream &out)
{
    const auto pageAt = [&pages](int i) { return pages.page(i); };
    if (line.has(PdfOption.name))
        rk::SavePdf(line.text(PdfOption.name), pages.count(), pageAt);
    else
        rk::SaveText(line.text(TextOption.name), rk::ReportText(pages.count(), pageAt));
    out << pages.count() << Qt::endl;
}

}  // namespace cli
