#pragma once
// The one rounding rule of the books: the value is written with 15 significant digits and that
// decimal text is rounded half away from zero, so 10.005 (stored as 10.00499999…) becomes 10.01.

inline constexpr int kAmountDecimals = 2;
inline constexpr int kQuantityDecimals = 4;

double RoundTo(double value, int decimals);
inline double RoundAmount(double value) { return RoundTo(value, kAmountDecimals); }
inline double RoundQuantity(double value) { return RoundTo(value, kQuantityDecimals); }

// An amount as whole stotinki, for sums that must come out exact: the value is first rounded to
// the cent by the rule above.
long long ToStotinki(double amount);
inline double FromStotinki(long long stotinki) { return double(stotinki) / 100.0; }
