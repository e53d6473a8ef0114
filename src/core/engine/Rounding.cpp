#include "engine/Rounding.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

double RoundTo(double value, int decimals)
{
    if (!std::isfinite(value) || decimals < 0)
        return value;
    // Scientific notation with 15 significant digits: d.dddddddddddddde±XX
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    std::string text(buf);
    const bool negative = text[0] == '-';
    if (negative)
        text.erase(0, 1);
    const auto ePos = text.find('e');
    const int exponent = std::atoi(text.c_str() + ePos + 1);
    std::string digits = text.substr(0, 1) + text.substr(2, ePos - 2);  // 15 digits

    // Digit i has the weight 10^(exponent - i); keep those with weight >= 10^-decimals.
    const int keep = exponent + decimals + 1;
    if (keep < 0)
        return negative ? -0.0 : 0.0;
    if (keep >= static_cast<int>(digits.size()))
        return std::strtod(buf, nullptr);

    const bool roundUp = digits[keep] >= '5';
    std::string kept = digits.substr(0, keep);
    int scale = exponent;
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && kept[i] == '9')
            kept[i--] = '0';
        if (i >= 0)
            ++kept[i];
        else {
            kept.insert(kept.begin(), '1');
            ++scale;
        }
    }
    if (kept.empty())
        return negative ? -0.0 : 0.0;
    std::string out = negative ? "-" : "";
    out += kept.substr(0, 1) + "." + kept.substr(1) + "e" + std::to_string(scale);
    return std::strtod(out.c_str(), nullptr);
}

long long ToStotinki(double amount) { return std::llround(RoundAmount(amount) * 100.0); }
