// The year closing without a window: close-year, and the conversion list of a firm whose
// balances were converted to euro (report conversion-list).
#include "CliSupport.h"
#include "Commands.h"

#include "closing/ConversionReport.h"
#include "closing/YearClosing.h"
#include "engine/Errors.h"
#include "firm/TDM.h"
#include "registry/TFD.h"
#include "reportkit/Output.h"
#include "reportkit/PageStore.h"
#include "reportkit/Render.h"

using namespace Qt::StringLiterals;

namespace cli {

namespace {

const OptionSpec ListTextOption{u"--list-text"_s, ValueKind::Text, u"ФАЙЛ"_s, false, {}};
const OptionSpec ListPdfOption{u"--list-pdf"_s, ValueKind::Text, u"ФАЙЛ"_s, false, {}};

void WriteList(const StoredConversion &list, const QString &firmName, const QString &textFile,
               const QString &pdfFile)
{
    ConversionListJob job(list, firmName);
    rk::PageStore pages;
    rk::RunReport(job, pages);
    const auto pageAt = [&pages](int i) { return pages.page(i); };
    if (!textFile.isEmpty())
        rk::SaveText(textFile, rk::ReportText(pages.count(), pageAt));
    if (!pdfFile.isEmpty())
        rk::SavePdf(pdfFile, pages.count(), pageAt);
}

int CloseYearCommand(Context &c)
{
    TDM dm;
    const FirmRecord firm = OpenFirmOption(c.fd, dm, c.line);
    ClosingOptions options;
    if (c.line.has(u"--keep-open"_s))
        options.leftOpen = c.line.numbers(u"--keep-open"_s);
    options.resultBroughtForward = !c.line.has(u"--keep-result-on-123"_s);
    options.replace = c.line.has(u"--replace"_s);
    options.confirmImbalance = false;  // named on the error stream, carried as it is
    if (c.line.has(u"--difference-account"_s)) {
        const qint64 account = c.line.number(u"--difference-account"_s);
        if (account < 1 || account > 9999)
            throw MyException(u"Сметката за разликите от закръгляване е число от 1 до 9999!"_s);
        options.differenceAccount = int(account);
    }
    if (c.line.has(u"--staff-accounts"_s))
        options.staffAccounts = c.line.numbers(u"--staff-accounts"_s);
    for (const OptionSpec &o : {ListTextOption, ListPdfOption})
        if (c.line.has(o.name))
            if (const QString problem = rk::OutputFileProblem(c.line.text(o.name)); !problem.isEmpty())
                throw MyException(problem);
    if (const auto previous = ClosedBefore(dm.db()); previous && !options.replace)
        throw MyException(ClosedBeforeMessage + u": %1г., документ № %2.\rПовторното приключване иска --replace."_s
                                                    .arg(QString::number(firm.Firm_Period),
                                                         QString::number(previous->docNo)));
    dm.Close();
    const ClosingOutcome outcome = CloseYear(c.fd, firm.Firm_ID, options);
    QTextStream err(stderr);
    for (const QString &note : outcome.notes)
        err << QString(note).replace(u'\r', u'\n') << Qt::endl;
    if (outcome.conversion)
        WriteList(StoredFrom(*outcome.conversion, firm.Firm_Name, firm.Firm_Period), firm.Firm_Name,
                  c.line.text(ListTextOption.name), c.line.text(ListPdfOption.name));
    else if (c.line.has(ListTextOption.name) || c.line.has(ListPdfOption.name))
        err << u"Салдата не са превалутирани: списък не е изготвен."_s << Qt::endl;
    c.out << outcome.nextFirmId << Qt::endl;
    return 0;
}

int ConversionList(Context &c)
{
    TDM dm;
    const FirmRecord firm = OpenFirmOption(c.fd, dm, c.line);
    RequireWritableOutput(c.line);
    dm.Close();
    const StoredConversion list = FirmConversion(c.fd, firm.Firm_ID);
    if (list.isEmpty())
        throw MyException(u"Началните салда на фирмата не са превалутирани от лева в евро."_s);
    ConversionListJob job(list, firm.Firm_Name);
    rk::PageStore pages;
    rk::RunReport(job, pages);
    WriteReport(c.line, pages, c.out);
    return 0;
}

}  // namespace

QList<CommandSpec> ClosingCommands()
{
    CommandSpec closeYear;
    closeYear.words = {u"close-year"_s};
    closeYear.options = {FirmOption,
                         {u"--keep-open"_s, ValueKind::Numbers, u"611,612,613"_s, false, {}},
                         {u"--keep-result-on-123"_s, ValueKind::Flag, {}, false, {}},
                         {u"--replace"_s, ValueKind::Flag, {}, false, {}},
                         {u"--difference-account"_s, ValueKind::Number, u"N"_s, false, {}},
                         {u"--staff-accounts"_s, ValueKind::Numbers, u"425,4211"_s, false, {}},
                         ListTextOption,
                         ListPdfOption};
    closeYear.summary = u"приключва годината на фирмата: раздели 6 и 7 по сметка 123, крайните салда като начални "
                        "в фирмата за следващата година (повторно с --replace); от 2025 в 2026г. превалутира "
                        "салдата в евро (разликата от закръгляване по --difference-account, 122 без него; "
                        "сметките към персонала освен 421 с --staff-accounts) и записва списъка с --list-text "
                        "или --list-pdf; извежда номера на новата фирма"_s;
    closeYear.needsFonts = true;
    closeYear.run = CloseYearCommand;

    CommandSpec list;
    list.words = {u"report"_s, u"conversion-list"_s};
    list.options = {FirmOption, TextOption, PdfOption};
    list.summary = u"списъкът за превалутиране на началните салда в евро като текст или PDF"_s;
    list.needsFonts = true;
    list.check = RequireOneOutput;
    list.run = ConversionList;
    return {closeYear, list};
}

}  // namespace cli
