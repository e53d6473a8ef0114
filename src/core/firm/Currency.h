#pragma once
// The currency a year's books are kept in, and the captions that name it. Every printed or shown
// caption with the currency ("Сума в лв.", "Сума лв.") comes from CurrencyCaption, so a firm's
// year decides the wording in one place. Books up to 2025 are kept in leva, from 2026 in euro;
// the leva balances that close 2025 open 2026 converted at the fixed rate.
#include <QString>

enum class Currency { Leva, Euro };

inline constexpr int FirstEuroYear = 2026;

// Leva for the books of years up to 2025, euro from 2026.
Currency CurrencyOfYear(int year);

// The caption as the system writes it for leva (`levaCaption`), for the books of `year`: for a
// euro year "в лв." reads "в евро", an abbreviated "лв." reads "EUR" and "лева" reads "евро".
QString CurrencyCaption(const QString &levaCaption, int year);

// "лева" / "евро", as the firm's data and header name the currency.
QString CurrencyName(Currency currency);
// "BGN" / "EUR"
QString CurrencyCode(Currency currency);

// How a converted amount is rounded to the cent.
enum class EuroRounding {
    HalfUp,  // a third decimal of 5 or more rounds up (away from zero)
    Up,      // any remainder rounds up: amounts owed to staff, in the employee's favour
};

// The fixed rate, as the exact decimal 1.95583 leva for one euro.
inline constexpr long long LevaPerEuroMillionths = 1955830;  // 1.95583 × 10^6
QString ConversionRateText();  // "1.95583"

// A leva amount in euro at the fixed rate, rounded to the cent. The amount is read as its exact
// decimal (to the fifth decimal) and divided in whole numbers, so no binary fraction shifts a
// cent; the result is a whole number of cents.
double LevaToEuro(double leva, EuroRounding rounding = EuroRounding::HalfUp);
long long LevaToEuroCents(double leva, EuroRounding rounding = EuroRounding::HalfUp);
