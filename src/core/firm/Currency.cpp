#include "firm/Currency.h"

Currency CurrencyOfYear(int /*year*/) { return Currency::Leva; }

QString CurrencyCaption(const QString &levaCaption, int year)
{
    switch (CurrencyOfYear(year)) {
    case Currency::Leva: return levaCaption;
    case Currency::Euro: break;
    }
    return levaCaption;
}
