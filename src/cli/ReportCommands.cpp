// Figures and reports of a firm's books: totals, report trial-balance|general-ledger, the
// statements report balance-sheet|income-statement|cash-flow, and the reports of the entries
// themselves (LedgerReportCommands).
#include "CliSupport.h"
#include "Commands.h"

#include "accounts/LevelStore.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "engine/ReadSnapshot.h"
#include "firm/Lookups.h"
#include "firm/TDM.h"
#include "registry/TFD.h"
#include "reportkit/PageStore.h"
#include "reportkit/SnapshotJob.h"
#include "reports/GeneralLedger.h"
#include "reports/TrialBalance.h"
#include "statements/StatementComputation.h"
#include "statements/StatementReport.h"

#include <memory>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

const OptionSpec AccountOption{u"--account"_s, ValueKind::Number, u"N"_s, false, {}};

// The twelve figures of an account's totals, one "name value" per line.
int Totals(Context &c)
{
    TDM dm;
    OpenFirmOption(c.fd, dm, c.line);
    const int account = int(c.line.number(AccountOption.name));
    const auto found = FindAccount(dm.db(), account);
    if (!found)
        throw MyException(MissingAccountMessage);
    const LotKey lots = c.line.lots(u"--lots"_s);
    if (const QString problem = LevelStore::LotKeyProblem(dm.db(), found->levels, lots); !problem.isEmpty())
        throw MyException(problem);
    const auto [from, to] = ReportPeriodOption(dm, c.line);
    const TAccountValue v = GetAccountValue(dm.db(), account, lots, ReadPeriod(dm.db()), from, to);
    if (!v.valid)
        throw MyException(v.errorText);
    const std::pair<const char *, QString> figures[] = {
        {"OpenDtKol", Formats::Quantity(v.openDtKol)},   {"OpenDtSt", Formats::Amount(v.openDtSt)},
        {"OpenKtKol", Formats::Quantity(v.openKtKol)},   {"OpenKtSt", Formats::Amount(v.openKtSt)},
        {"TurnDtKol", Formats::Quantity(v.turnDtKol)},   {"TurnDtSt", Formats::Amount(v.turnDtSt)},
        {"TurnKtKol", Formats::Quantity(v.turnKtKol)},   {"TurnKtSt", Formats::Amount(v.turnKtSt)},
        {"CloseDtKol", Formats::Quantity(v.closeDtKol)}, {"CloseDtSt", Formats::Amount(v.closeDtSt)},
        {"CloseKtKol", Formats::Quantity(v.closeKtKol)}, {"CloseKtSt", Formats::Amount(v.closeKtSt)}};
    for (const auto &[name, value] : figures)
        c.out << name << ' ' << value << Qt::endl;
    return 0;
}

int TrialBalance(Context &c)
{
    TDM dm;
    const FirmRecord firm = OpenFirmOption(c.fd, dm, c.line);
    RequireWritableOutput(c.line);
    const auto [from, to] = ReportPeriodOption(dm, c.line);
    TrialBalanceOptions o{from, to, firm.Firm_Name, 0, !c.line.has(u"--all-accounts"_s), c.line.has(u"--quantity"_s)};
    if (c.line.has(AccountOption.name)) {
        o.account = int(c.line.number(AccountOption.name));
        if (!FindAccount(dm.db(), o.account))
            throw MyException(MissingAccountMessage);
    }
    rk::SnapshotJob<TrialBalanceJob> job(dm.db(), o);
    rk::PageStore pages;
    rk::RunReport(job, pages);
    WriteReport(c.line, pages, c.out);
    return 0;
}

int GeneralLedger(Context &c)
{
    TDM dm;
    const FirmRecord firm = OpenFirmOption(c.fd, dm, c.line);
    RequireWritableOutput(c.line);
    const auto [from, to] = ReportPeriodOption(dm, c.line);
    rk::SnapshotJob<GeneralLedgerJob> job(dm.db(), GeneralLedgerOptions{from, to, firm.Firm_Name});
    rk::PageStore pages;
    rk::RunReport(job, pages);
    WriteReport(c.line, pages, c.out);
    return 0;
}

// A statement computed for the period and printed from that computation.
int Statement(Context &c, StatementType type)
{
    TDM dm;
    const FirmRecord firm = OpenFirmOption(c.fd, dm, c.line);
    const auto [from, to] = ReportPeriodOption(dm, c.line);
    ReadSnapshot books(dm.db());
    StatementReportJob job(ComputeStatement(books.db(), c.fd.db(), type, from, to), firm.Firm_Name);
    rk::PageStore pages;
    rk::RunReport(job, pages);
    WriteReport(c.line, pages, c.out);
    return 0;
}

}  // namespace

QList<CommandSpec> ReportCommands()
{
    QList<CommandSpec> commands;
    CommandSpec totals;
    totals.words = {u"totals"_s};
    totals.options = {FirmOption, {u"--account"_s, ValueKind::Number, u"N"_s, true, {}},
                      {u"--lots"_s, ValueKind::Lots, u"a,b,c,d,e"_s, false, {}}, FromOption, ToOption};
    totals.summary = u"салда и обороти на сметка (и партиди) за периода"_s;
    totals.run = Totals;
    commands << totals;

    CommandSpec trial;
    trial.words = {u"report"_s, u"trial-balance"_s};
    trial.options = {FirmOption, FromOption, ToOption, AccountOption,
                     {u"--quantity"_s, ValueKind::Flag, {}, false, {}},
                     {u"--all-accounts"_s, ValueKind::Flag, {}, false, {}}, TextOption, PdfOption};
    trial.summary = u"оборотна ведомост като текст или PDF"_s;
    trial.needsFonts = true;
    trial.check = RequireOneOutput;
    trial.run = TrialBalance;
    commands << trial;

    CommandSpec ledger;
    ledger.words = {u"report"_s, u"general-ledger"_s};
    ledger.options = {FirmOption, FromOption, ToOption, TextOption, PdfOption};
    ledger.summary = u"главна книга като текст или PDF"_s;
    ledger.needsFonts = true;
    ledger.check = RequireOneOutput;
    ledger.run = GeneralLedger;
    commands << ledger;

    const QList<std::tuple<QString, StatementType, QString>> statements = {
        {u"balance-sheet"_s, StatementType::Balance, u"баланс като текст или PDF"_s},
        {u"income-statement"_s, StatementType::Income, u"отчет за приходи и разходи като текст или PDF"_s},
        {u"cash-flow"_s, StatementType::CashFlow, u"отчет за паричния поток като текст или PDF"_s}};
    for (const auto &[word, type, summary] : statements) {
        CommandSpec statement;
        statement.words = {u"report"_s, word};
        statement.options = {FirmOption, FromOption, ToOption, TextOption, PdfOption};
        statement.summary = summary;
        statement.needsFonts = true;
        statement.check = RequireOneOutput;
        statement.run = [type](Context &c) { return Statement(c, type); };
        commands << statement;
    }
    commands << LedgerReportCommands();
    return commands;
}

}  // namespace cli
