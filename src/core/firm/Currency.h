#pragma once
// The currency a year's books are kept in, and the captions that name it. Every printed or shown
// caption with the currency ("Сума в лв.", "Сума лв.") comes from CurrencyCaption, so a firm's
// year decides the wording in one place.
#include <QString>

enum class Currency { Leva, Euro };

// The books of every year are kept in leva.
Currency CurrencyOfYear(int year);

// The caption as the system writes it for leva (`levaCaption`), for the books of `year`.
QString CurrencyCaption(const QString &levaCaption, int year);
