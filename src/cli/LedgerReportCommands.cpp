// The reports that list the entries themselves: report chronological|account-extract|lot-extract.
#include "CliSupport.h"
#include "Commands.h"

#include "accounts/FolderStore.h"
#include "accounts/LevelStore.h"
#include "engine/Errors.h"
#include "firm/Lookups.h"
#include "firm/TDM.h"
#include "registry/TFD.h"
#include "reportkit/PageStore.h"
#include "reportkit/SnapshotJob.h"
#include "reports/AccountExtract.h"
#include "reports/ChronologicalLedger.h"
#include "reports/LotExtract.h"

using namespace Qt::StringLiterals;

namespace cli {

namespace {

OptionSpec Option(const QString &name, ValueKind kind, const QString &value = {}, bool required = false,
                  const QStringList &choices = {})
{
    return {name, kind, value, required, choices};
}

const OptionSpec FromDocument = Option(u"--from-document"_s, ValueKind::DocumentNumber, u"N"_s);
const OptionSpec ToDocument = Option(u"--to-document"_s, ValueKind::DocumentNumber, u"N"_s);
const OptionSpec Folder = Option(u"--folder"_s, ValueKind::Number, u"N"_s);

std::optional<qint64> DocumentOption(const ParsedLine &line, const OptionSpec &spec)
{
    return line.has(spec.name) ? std::optional<qint64>(line.documentNumber(spec.name)) : std::nullopt;
}

std::optional<double> AmountOption(const ParsedLine &line, const QString &name)
{
    return line.has(name) ? std::optional<double>(line.decimal(name)) : std::nullopt;
}

// An account or folder named on the line must exist; 0 when the option is not given.
int AccountOption(Db &db, const ParsedLine &line, const QString &name)
{
    if (!line.has(name))
        return 0;
    const int account = int(line.number(name));
    if (!FindAccount(db, account))
        throw MyException(MissingAccountMessage);
    return account;
}

int FolderOption(Db &db, const ParsedLine &line)
{
    if (!line.has(Folder.name))
        return 0;
    const int folder = int(line.number(Folder.name));
    if (!FolderStore::Find(db, folder))
        throw MyException(u"Няма папка с номер "_s + QString::number(folder) + u'!');
    return folder;
}

void Write(rk::ReportJob &job, Context &c)
{
    rk::PageStore pages;
    rk::RunReport(job, pages);
    WriteReport(c.line, pages, c.out);
}

int Chronological(Context &c)
{
    TDM dm;
    const FirmRecord firm = OpenFirmOption(c.fd, dm, c.line);
    ChronologicalOptions o;
    o.firmName = firm.Firm_Name;
    ChronologicalSelection &s = o.selection;
    std::tie(s.from, s.to) = ReportPeriodOption(dm, c.line);
    s.byDocumentDate = c.line.has(u"--by-document-date"_s);
    s.fromDocument = DocumentOption(c.line, FromDocument);
    s.toDocument = DocumentOption(c.line, ToDocument);
    s.fromAmount = AmountOption(c.line, u"--from-amount"_s);
    s.toAmount = AmountOption(c.line, u"--to-amount"_s);
    s.debitAccount = AccountOption(dm.db(), c.line, u"--debit-account"_s);
    s.creditAccount = AccountOption(dm.db(), c.line, u"--credit-account"_s);
    s.folder = FolderOption(dm.db(), c.line);
    static const QHash<QString, ChronologicalSort> sorts = {{u"date-number"_s, ChronologicalSort::DateAndNumber},
                                                            {u"number"_s, ChronologicalSort::Number},
                                                            {u"date"_s, ChronologicalSort::Date},
                                                            {u"none"_s, ChronologicalSort::None}};
    s.sort = sorts.value(c.line.text(u"--sort"_s), ChronologicalSort::DateAndNumber);
    rk::SnapshotJob<ChronologicalLedgerJob> job(dm.db(), o);
    Write(job, c);
    return 0;
}

const QStringList AccountGroupings = {u"date"_s, u"account"_s, u"document"_s, u"levels"_s, u"none"_s};

int AccountExtract(Context &c)
{
    TDM dm;
    const FirmRecord firm = OpenFirmOption(c.fd, dm, c.line);
    AccountExtractOptions o;
    o.firmName = firm.Firm_Name;
    std::tie(o.from, o.to) = ReportPeriodOption(dm, c.line);
    o.account = int(c.line.number(u"--account"_s));
    o.lots = c.line.lots(u"--lots"_s);
    if (const auto account = FindAccount(dm.db(), o.account))
        if (const QString problem = LevelStore::LotKeyProblem(dm.db(), account->levels, o.lots); !problem.isEmpty())
            throw MyException(problem);
    static const QHash<QString, AccountGrouping> groupings = {{u"date"_s, AccountGrouping::Date},
                                                              {u"account"_s, AccountGrouping::CorrespondingAccount},
                                                              {u"document"_s, AccountGrouping::Document},
                                                              {u"levels"_s, AccountGrouping::Levels},
                                                              {u"none"_s, AccountGrouping::None}};
    o.grouping = groupings.value(c.line.text(u"--group-by"_s), AccountGrouping::Date);
    if (o.grouping == AccountGrouping::Levels) {  // every lot with its opening and closing balance
        o.openings.fill(true);
        o.closings.fill(true);
    }
    o.fromDocument = DocumentOption(c.line, FromDocument);
    o.toDocument = DocumentOption(c.line, ToDocument);
    o.correspondingAccount = AccountOption(dm.db(), c.line, u"--corresponding-account"_s);
    o.folder = FolderOption(dm.db(), c.line);
    o.totalsOnly = c.line.has(u"--totals-only"_s);
    rk::SnapshotJob<AccountExtractJob> job(dm.db(), o);
    Write(job, c);
    return 0;
}

// Grouped by analytic levels the extract takes neither document bounds, nor a corresponding
// account, nor a folder, as its page does not.
void CheckAccountExtract(const ParsedLine &line)
{
    RequireOneOutput(line);
    if (line.text(u"--group-by"_s) != u"levels"_s)
        return;
    for (const QString &option : {FromDocument.name, ToDocument.name, u"--corresponding-account"_s, Folder.name})
        if (line.has(option))
            throw UsageError(u"--group-by levels не се съчетава с "_s + option + u"."_s);
}

int LotExtract(Context &c)
{
    TDM dm;
    const FirmRecord firm = OpenFirmOption(c.fd, dm, c.line);
    LotExtractOptions o;
    o.firmName = firm.Firm_Name;
    std::tie(o.from, o.to) = ReportPeriodOption(dm, c.line);
    o.level = int(c.line.number(u"--level"_s));
    o.lot = int(c.line.number(u"--lot"_s));
    if (!LevelStore::Level(dm.db(), o.level))
        throw MyException(u"Няма аналитично ниво с номер "_s + QString::number(o.level) + u'!');
    if (!LevelStore::LotExists(dm.db(), o.level, o.lot))
        throw MyException(u"Партида "_s + QString::number(o.lot) + u" не е открита в аналитично ниво „"_s
                          + LevelName(dm.db(), o.level) + u"“!"_s);
    static const QHash<QString, LotGrouping> groupings = {{u"date"_s, LotGrouping::Date},
                                                          {u"account"_s, LotGrouping::Account},
                                                          {u"document"_s, LotGrouping::Document},
                                                          {u"folder"_s, LotGrouping::Folder},
                                                          {u"none"_s, LotGrouping::None}};
    o.grouping = groupings.value(c.line.text(u"--group-by"_s), LotGrouping::Date);
    rk::SnapshotJob<LotExtractJob> job(dm.db(), o);
    Write(job, c);
    return 0;
}

CommandSpec Report(const QString &kind, QList<OptionSpec> options, const QString &summary,
                   std::function<int(Context &)> run)
{
    CommandSpec c;
    c.words = {u"report"_s, kind};
    c.options = QList<OptionSpec>{FirmOption, FromOption, ToOption} + options + QList<OptionSpec>{TextOption, PdfOption};
    c.summary = summary;
    c.needsFonts = true;
    c.check = RequireOneOutput;
    c.run = std::move(run);
    return c;
}

}  // namespace

QList<CommandSpec> LedgerReportCommands()
{
    CommandSpec chronological = Report(
        u"chronological"_s,
        {Option(u"--by-document-date"_s, ValueKind::Flag), FromDocument, ToDocument,
         Option(u"--from-amount"_s, ValueKind::Decimal, u"X"_s), Option(u"--to-amount"_s, ValueKind::Decimal, u"X"_s),
         Option(u"--debit-account"_s, ValueKind::Number, u"N"_s), Option(u"--credit-account"_s, ValueKind::Number, u"N"_s),
         Folder, Option(u"--sort"_s, ValueKind::Choice, {}, false, {u"date-number"_s, u"number"_s, u"date"_s, u"none"_s})},
        u"хронологична ведомост като текст или PDF"_s, Chronological);
    CommandSpec account = Report(
        u"account-extract"_s,
        {Option(u"--account"_s, ValueKind::Number, u"N"_s, true), Option(u"--lots"_s, ValueKind::Lots, u"a,b,c,d,e"_s),
         Option(u"--group-by"_s, ValueKind::Choice, {}, false, AccountGroupings), FromDocument, ToDocument,
         Option(u"--corresponding-account"_s, ValueKind::Number, u"N"_s), Folder,
         Option(u"--totals-only"_s, ValueKind::Flag)},
        u"извлечение от сметка като текст или PDF"_s, AccountExtract);
    account.check = CheckAccountExtract;
    CommandSpec lot = Report(u"lot-extract"_s,
                             {Option(u"--level"_s, ValueKind::Number, u"N"_s, true),
                              Option(u"--lot"_s, ValueKind::Number, u"N"_s, true),
                              Option(u"--group-by"_s, ValueKind::Choice, {}, false,
                                     {u"date"_s, u"account"_s, u"document"_s, u"folder"_s, u"none"_s})},
                             u"извлечение от партида като текст или PDF"_s, LotExtract);
    return {chronological, account, lot};
}

}  // namespace cli
