#pragma once
// The VAT return of a period from the column totals of the two journals, the firm's data and,
// for a period within one month, that month's row of the monthly data. Nothing is stored.
#include "registry/FirmRecord.h"
#include "vat/MonthlyData.h"
#include "vat/VatJournal.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

class Db;
class TFD;

inline const QString MissingMonthMessage = QStringLiteral("Не са намерени данни за месец:");

// Cell 24 is kept in billionths, as it is printed.
inline constexpr long long CoefficientScale = 1000000000;

struct Declaration {
    QString firmName;    // 30 characters at most
    QString address;     // 50
    QString taxNumber;   // 10
    QString bulstat;     // 10
    QString signatory;   // 30
    QString position;    // 15
    QDate paymentDate;   // invalid when not set or the period spans months
    QDate from, to;
    // Amounts in stotinki.
    long long c01 = 0, c02 = 0, c03 = 0, c21 = 0, c22 = 0, c23 = 0, c30 = 0, c31 = 0, c32 = 0;
    long long c40 = 0, c41 = 0, c42 = 0, c50 = 0, c60 = 0, c71 = 0, c72 = 0, c80 = 0;
    long long c24 = 0;   // billionths
};

namespace Declarations {

// Whether the period lies within one calendar month, so the month's hand-typed cells apply.
bool SingleMonth(const QDate &from, const QDate &to);

// The cells from the journals' totals and, for a single-month period, the month's row. Throws
// "Грешка при сумиране на данните от дневниците!" when a journal has no sums.
Declaration Compute(const FirmRecord &firm, const VatJournal &purchases, const VatJournal &sales,
                    const std::optional<SdMonth> &month);

// Reads both journals and the month's row and computes the declaration. For a single-month
// period whose row is missing it throws "Не са намерени данни за месец:" + the month number.
Declaration Build(Db &firm, Db &registry, const FirmRecord &record, const QDate &from, const QDate &to);

// Every cell in the form's order as ("01", "1000.00"); cell 24 with 9 decimals.
QList<std::pair<QString, QString>> CellTexts(const Declaration &d);
QString CoefficientText(long long billionths);  // "0.666500000"

}  // namespace Declarations
