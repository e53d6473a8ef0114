#pragma once
// The fixed-width text file of a VAT journal for the tax authority: one line per row in journal
// order, then a total line; every line ends with CR LF. Data lines are converted to the DOS
// Cyrillic code page; the total line is written as it stands.
#include "registry/FirmRecord.h"
#include "vat/CodePage.h"
#include "vat/VatJournal.h"

#include <QByteArray>
#include <QString>

inline const QString UnknownFileFormatMessage = QStringLiteral("Непознат файлов формат!");

// The text format of the data lines: converted to the OEM code page, or left as the program's
// own texts.
enum class JournalFileFormat { Oem = 0, Unconverted = 1 };

namespace JournalFile {

// The names the window writes the two files under.
inline const QString PurchasesFileName = QStringLiteral("POKUPKI.TXT");
inline const QString SalesFileName = QStringLiteral("PRODAGBI.TXT");
QString FileName(VatJournalKind kind);

// Pieces of a record.
QString Text(const QString &text, int width);          // left-aligned, padded or cut
QString Digits(qint64 value, int width);               // leading zeros; a longer number keeps its last digits
QString RightAligned(const QString &text, int width);  // padded on the left; a longer text keeps its end
QString Date(const QDate &date);                       // "dd/mm/yyyy", "  /  /    " for none
QString Amount(long long stotinki);                    // 2 decimals with ".", right-aligned in 15

// One data line (without the line end) and the total line.
QString DataLine(const FirmRecord &firm, int sequence, const JournalRow &row);
QString TotalLine(const FirmRecord &firm, const JournalTotals &totals);

// The whole file. Throws "Грешка при сумиране на данните от дневниците!" when the journal has no
// sums and "Непознат файлов формат!" for a format other than the two known ones.
QByteArray Bytes(const FirmRecord &firm, const VatJournal &journal, JournalFileFormat format = JournalFileFormat::Oem);

// Writes the file whole or not at all, never over a database or a file the books use; throws with
// the reason when it cannot be written.
void Write(const QString &path, const QByteArray &bytes);

}  // namespace JournalFile
