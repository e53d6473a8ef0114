#include "firm/Currency.h"

#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

Currency CurrencyOfYear(int year) { return year >= FirstEuroYear ? Currency::Euro : Currency::Leva; }

QString CurrencyCaption(const QString &levaCaption, int year)
{
    switch (CurrencyOfYear(year)) {
    case Currency::Leva: return levaCaption;
    case Currency::Euro: break;
    }
    QString caption = levaCaption;
    caption.replace(u"в лв."_s, u"в евро"_s);
    caption.replace(u"лв."_s, u"EUR"_s);
    caption.replace(u"лева"_s, u"евро"_s);
    return caption;
}

QString CurrencyName(Currency currency) { return currency == Currency::Euro ? u"евро"_s : u"лева"_s; }

QString CurrencyCode(Currency currency) { return currency == Currency::Euro ? u"EUR"_s : u"BGN"_s; }

QString ConversionRateText() { return u"1.95583"_s; }

namespace {

// The amount in hundred-thousandths of a lev, from its decimal text: 1.95583 is 195583 exactly.
long long HundredThousandths(double leva)
{
    const QString text = QString::number(std::abs(leva), 'f', 5);
    const qsizetype dot = text.indexOf(u'.');
    const long long whole = text.left(dot).toLongLong();
    const long long fraction = text.mid(dot + 1).toLongLong();
    return whole * 100000 + fraction;
}

}  // namespace

long long LevaToEuroCents(double leva, EuroRounding rounding)
{
    // cents = units / 10^5 / 1.95583 × 100 = units × 100 / 195583
    constexpr __int128 divisor = LevaPerEuroMillionths / 10;  // 195583
    const __int128 scaled = __int128(HundredThousandths(leva)) * 100;
    __int128 cents = 0;
    switch (rounding) {
    case EuroRounding::HalfUp: cents = (2 * scaled + divisor) / (2 * divisor); break;
    case EuroRounding::Up: cents = (scaled + divisor - 1) / divisor; break;
    }
    return leva < 0 ? -static_cast<long long>(cents) : static_cast<long long>(cents);
}

double LevaToEuro(double leva, EuroRounding rounding)
{
    return double(LevaToEuroCents(leva, rounding)) / 100.0;
}
