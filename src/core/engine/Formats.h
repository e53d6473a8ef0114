#pragma once
// Display formats and the program's date settings, kept in one place. Dates are shown and typed
// as dd.MM.yyyy and stored in the tables as YYYY-MM-DD text, which sorts and compares as dates.
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

inline const QString InvalidDateMessage = QStringLiteral("Въведена е невалидна дата!");

namespace Formats {

inline const QString AmountFormat = QStringLiteral("#0.00");
inline const QString QuantityFormat = QStringLiteral("#0.0000");
inline const QString DocNoFormat = QStringLiteral("0000000000");
inline const QString DateFormat = QStringLiteral("dd.MM.yyyy");
inline const QString SqlDateFormat = QStringLiteral("yyyy-MM-dd");

struct DateSettings {
    QString shortDateFormat = DateFormat;
    QString longDateFormat = DateFormat;
    QChar dateSeparator = u'.';
    QChar timeSeparator = u':';
    QString shortTimeFormat = QStringLiteral("hh:mm");
    QString longTimeFormat = QStringLiteral("hh:mm:ss");
    QStringList monthNames;     // Януари … Декември
    QStringList shortDayNames;  // Sunday first
    QStringList longDayNames;   // Sunday first
};

// The settings that the firm data module applies to the whole program.
const DateSettings &Dates();
void ApplyDateSettings();

QString Amount(double value);    // "#0.00"
QString Quantity(double value);  // "#0.0000"
QString DocNo(double value);     // ten digits with leading zeros
QString Date(const QDate &date); // dd.MM.yyyy, empty for an invalid date
// The date a text names as a whole: two-digit day and month and a four-digit year, spaces around
// it ignored; invalid for anything else ("01.03.1", "31.02.2026").
QDate ParseDate(const QString &text);
// A typed number: digits with an optional sign and one decimal point or comma; nothing for any
// other text ("2x9", "1e5", "").
std::optional<double> ParseDecimal(const QString &text);
// "Невалидна стойност: " and the text a box or cell would not take.
QString InvalidValueMessage(const QString &typed);
QString SqlDate(const QDate &date);    // yyyy-MM-dd for the tables
QDate FromSqlDate(const QString &text);
QDate FromSqlDate(QByteArrayView text);
QString MonthName(int month);          // 1..12

// Whole numbers as a user types them, read by one rule wherever they are typed (decimals go
// through ParseDecimal). Surrounding blanks are ignored; anything else refuses the whole text.
// A whole number 0…limit written with digits only ("0000000123" reads 123).
std::optional<qint64> ReadWholeNumber(const QString &text, qint64 limit = 9999999999LL);
// A document number: up to ten digits.
std::optional<qint64> ReadDocumentNumber(const QString &text);

}  // namespace Formats
