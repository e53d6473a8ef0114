#pragma once
// The firm's monthly VAT data (table SD): for each month the date of the payment order and the
// amounts typed by hand for declaration cells 71, 72 and 80.
#include <QDate>
#include <QList>
#include <QString>
#include <optional>

class Db;

struct SdMonth {
    int SD_Month = 0;  // 1..12
    QDate SD_PlDate;   // invalid when not set
    long long SD_KL71 = 0, SD_KL72 = 0, SD_KL80 = 0;  // stotinki
    bool operator==(const SdMonth &) const = default;
};

namespace MonthlyData {

// Creates the twelve months when the table is empty; the table is left alone otherwise.
void EnsureMonths(Db &db);
// The rows in month order.
QList<SdMonth> Read(Db &db);
std::optional<SdMonth> Find(Db &db, int month);
// Writes the given months in one transaction; the other months stay as they are, so two users
// typing different months keep each other's figures.
void Save(Db &db, const QList<SdMonth> &months);
// The VAT data window's save: of each month, only the cells that differ from what the window
// read (`loaded`), so two users typing different cells of one month keep each other's figures;
// a month `loaded` lacks is written whole.
void Save(Db &db, const QList<SdMonth> &loaded, const QList<SdMonth> &edited);

// Reads a typed amount ("1234.50", "1234,50", empty = 0) as stotinki; nothing when it is not
// an amount of the books.
std::optional<long long> ParseAmount(const QString &text);
// Reads a typed date (dd.MM.yyyy, empty = none); nothing when the text is not a date.
std::optional<QDate> ParseDate(const QString &text);

}  // namespace MonthlyData
