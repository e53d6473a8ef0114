#include "CliSupport.h"

#include "engine/Errors.h"
#include "firm/AccountTotals.h"
#include "firm/TDM.h"
#include "registry/FirmChoice.h"
#include "registry/TFD.h"
#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "reports/ReportPeriod.h"

#include <QFile>

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

void WriteReport(const ParsedLine &line, rk::PageStore &pages, QTextStream &out)
{
    const auto pageAt = [&pages](int i) { return pages.page(i); };
    if (line.has(PdfOption.name)) {
        QString error;
        if (!rk::WritePdf(line.text(PdfOption.name), pages.count(), pageAt, &error))
            throw MyException(error);
    } else {
        QFile file(line.text(TextOption.name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw MyException(u"Не мога да запиша файла: "_s + file.fileName());
        file.write(rk::ReportText(pages.count(), pageAt).toUtf8());
    }
    out << pages.count() << Qt::endl;
}

}  // namespace cli
