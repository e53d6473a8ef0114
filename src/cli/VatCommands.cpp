// The VAT journals and the VAT return: vat purchases|sales|declaration.
#include "CliSupport.h"
#include "Commands.h"

#include "engine/Errors.h"
#include "engine/Messages.h"
#include "engine/ReadSnapshot.h"
#include "firm/TDM.h"
#include "registry/TFD.h"
#include "reportkit/Output.h"
#include "reportkit/PageStore.h"
#include "reports/ReportPeriod.h"
#include "vat/DeclarationReport.h"
#include "vat/JournalFile.h"
#include "vat/JournalReport.h"
#include "vat/MonthlyData.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

const OptionSpec RequiredFrom{FromOption.name, ValueKind::Date, FromOption.valueName, true, {}};
const OptionSpec RequiredTo{ToOption.name, ValueKind::Date, ToOption.valueName, true, {}};
const OptionSpec FileOption{u"--file"_s, ValueKind::Text, u"ФАЙЛ"_s, false, {}};

// The period as the VAT window's period dialog checks it.
std::pair<QDate, QDate> VatPeriod(TDM &dm, const ParsedLine &line)
{
    const QString problem =
        PeriodDialogProblem(line.text(RequiredFrom.name), line.text(RequiredTo.name), ReadPeriod(dm.db()));
    if (!problem.isEmpty())
        throw MyException(problem);
    return {line.date(RequiredFrom.name), line.date(RequiredTo.name)};
}

int Journal(Context &c, VatJournalKind kind)
{
    TDM dm;
    const FirmRecord firm = OpenFirmOption(c.fd, dm, c.line);
    RequireWritableOutput(c.line);
    const auto [from, to] = VatPeriod(dm, c.line);
    ReadSnapshot books(dm.db());
    const VatJournal journal = VatJournals::Read(books.db(), c.fd.db(), kind, from, to);
    for (const QString &problem : journal.problems())
        Messages::show(u"Непълни данни: "_s + problem);
    if (c.line.has(FileOption.name)) {
        JournalFile::Write(c.line.text(FileOption.name), JournalFile::Bytes(firm, journal));
        c.out << journal.rows.size() << Qt::endl;
        return 0;
    }
    JournalReportJob job(journal, firm.Firm_Name);
    rk::PageStore pages;
    rk::RunReport(job, pages);
    WriteReport(c.line, pages, c.out);
    return 0;
}

int DeclarationCommand(Context &c)
{
    TDM dm;
    const FirmRecord firm = OpenFirmOption(c.fd, dm, c.line);
    RequireWritableOutput(c.line);
    const auto [from, to] = VatPeriod(dm, c.line);
    MonthlyData::EnsureMonths(dm.db());
    ReadSnapshot books(dm.db());
    const Declaration d = Declarations::Build(books.db(), c.fd.db(), firm, from, to);
    if (c.line.has(TextOption.name)) {
        QString text;
        for (const auto &[cell, value] : Declarations::CellTexts(d))
            text += cell + u' ' + value + u'\n';
        rk::SaveText(c.line.text(TextOption.name), text);
        return 0;
    }
    DeclarationReportJob job(d);
    rk::PageStore pages;
    rk::RunReport(job, pages);
    WriteReport(c.line, pages, c.out);
    return 0;
}

CommandSpec JournalCommand(const QString &word, VatJournalKind kind, const QString &summary)
{
    CommandSpec spec;
    spec.words = {u"vat"_s, word};
    spec.options = {FirmOption, RequiredFrom, RequiredTo, FileOption, TextOption, PdfOption};
    spec.summary = summary;
    spec.needsFonts = true;
    spec.check = [](const ParsedLine &line) {
        RequireExactlyOne(line, {FileOption.name, TextOption.name, PdfOption.name});
    };
    spec.run = [kind](Context &c) { return Journal(c, kind); };
    return spec;
}

}  // namespace

QList<CommandSpec> VatCommands()
{
    QList<CommandSpec> commands;
    commands << JournalCommand(u"purchases"_s, VatJournalKind::Purchases,
                               u"дневник на покупките: файл за НАП (--file), текст или PDF"_s);
    commands << JournalCommand(u"sales"_s, VatJournalKind::Sales,
                               u"дневник на продажбите: файл за НАП (--file), текст или PDF"_s);
    CommandSpec declaration;
    declaration.words = {u"vat"_s, u"declaration"_s};
    declaration.options = {FirmOption, RequiredFrom, RequiredTo, TextOption, PdfOption};
    declaration.summary = u"справка-декларация по ДДС: клетките като текст (NN стойност) или PDF"_s;
    declaration.needsFonts = true;
    declaration.check = RequireOneOutput;
    declaration.run = DeclarationCommand;
    commands << declaration;
    return commands;
}

}  // namespace cli
