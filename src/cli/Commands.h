#pragma once
// The commands of orvalis-cli, by subsystem; main lists them in this order in the usage.
#include "CommandLine.h"

namespace cli {
QList<CommandSpec> FirmCommands();    // init, firms, new-firm, demo
QList<CommandSpec> ReportCommands();  // totals, report …
QList<CommandSpec> VatCommands();     // vat purchases|sales|declaration
QList<CommandSpec> ClosingCommands(); // close-year
// report chronological|account-extract|lot-extract, listed with the other reports
QList<CommandSpec> LedgerReportCommands();
}  // namespace cli
