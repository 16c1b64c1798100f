#include "quantity_text.h"

#include <cmath>
#include <cstdio>

std::string Significant(double value, int digits) {
    if (std::isnan(value)) return "not a number";
    if (std::isinf(value)) return value > 0 ? "infinite" : "minus infinite";
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return text;
}

std::string SignedPercent(double fraction) {
    if (!std::isfinite(fraction)) return "n/a";
    char text[64];
    std::snprintf(text, sizeof text, "%+.3f %%", 100 * fraction);
    return text;
}

std::string WithPrefix(double value, const char* unit, int digits) {
    if (!std::isfinite(value)) return Significant(value, digits) + " " + unit;
    static constexpr const char* kPrefixes[] = {"p", "n", "u", "m", "", "k", "M", "G"};
    int index = 4;
    double scaled = value;
    while (std::abs(scaled) >= 1000 && index < 7)
        scaled /= 1000, ++index;
    while (scaled != 0 && std::abs(scaled) < 1 && index > 0)
        scaled *= 1000, --index;
    char text[64];
    std::snprintf(text, sizeof text, "%.*g %s%s", digits, scaled, kPrefixes[index], unit);
    return text;
}
