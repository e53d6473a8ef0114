#pragma once
// What several commands share: the firm named by --firm, the report period of --from/--to and
// the report output of --text/--pdf.
#include "CommandLine.h"

#include "registry/FirmRecord.h"

#include <utility>

class TDM;
class TFD;
namespace rk {
class PageStore;
}

namespace cli {

inline const OptionSpec FirmOption{QStringLiteral("--firm"), ValueKind::Number, QStringLiteral("ID"), true, {}};
inline const OptionSpec FromOption{QStringLiteral("--from"), ValueKind::Date, QStringLiteral("дд.ММ.гггг"), false, {}};
inline const OptionSpec ToOption{QStringLiteral("--to"), ValueKind::Date, QStringLiteral("дд.ММ.гггг"), false, {}};
inline const OptionSpec TextOption{QStringLiteral("--text"), ValueKind::Text, QStringLiteral("ФАЙЛ"), false, {}};
inline const OptionSpec PdfOption{QStringLiteral("--pdf"), ValueKind::Text, QStringLiteral("ФАЙЛ"), false, {}};

// Opens the firm of --firm in `dm` and answers its registry record; throws MyException when the
// registry has no such firm or its files are incomplete.
FirmRecord OpenFirmOption(TFD &fd, TDM &dm, const ParsedLine &line);

// --from and --to, by default the reporting period's start and the default report end; throws
// MyException with the report dialogs' messages for a period they refuse.
std::pair<QDate, QDate> ReportPeriodOption(TDM &dm, const ParsedLine &line);

// For the check of a report command: exactly one of --text and --pdf.
void RequireOneOutput(const ParsedLine &line);

// Refuses, before a report is made, an output file the report may not be written to.
void RequireWritableOutput(const ParsedLine &line);

// Writes the pages as --text or --pdf asks and prints the number of pages; throws MyException
// when the file was not written whole.
void WriteReport(const ParsedLine &line, rk::PageStore &pages, QTextStream &out);

}  // namespace cli
