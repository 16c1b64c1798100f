#include "quantity_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/portable_math.h"

namespace velmora {

std::string PrintfNumber(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, std::isnan(value) ? std::fabs(value) : value);
    return buffer;
}

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

namespace {

constexpr const char* kPrefixes[] = {"p", "n", "u", "m", "", "k", "M", "G"};

// A finite value as a mantissa of `digits` significant digits, trailing
// fraction zeros dropped, and the SI prefix that goes with it.
struct Engineering {
    std::string Mantissa;
    const char* Prefix;
};

Engineering ToEngineering(double value, int digits) {
    if (value == 0) return {"0", ""};
    // 1. Round to the significant digits first, so that 999.96 becomes 1.00k
    //    and not 1000.0.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, value);
    const double rounded = std::strtod(buffer, nullptr);
    // 2. Pick the prefix by the engineering exponent of the rounded value.
    int exponent = static_cast<int>(std::floor(DecimalExponent(rounded) / 3.0)) * 3;
    if (exponent < -12) exponent = -12;
    if (exponent > 9) exponent = 9;
    const double scaled = rounded / PowerOfTen(exponent);
    const int integerDigits = DecimalExponent(scaled) + 1;
    const int decimals = digits - integerDigits > 0 ? digits - integerDigits : 0;
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, scaled);
    std::string text = buffer;
    // 3. Drop trailing fraction zeros and a bare point.
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return {text, kPrefixes[(exponent + 12) / 3]};
}

}  // namespace

std::string WithPrefix(double value, const char* unit, int digits) {
    if (!std::isfinite(value)) return Significant(value, digits) + " " + unit;
    const Engineering e = ToEngineering(value, digits);
    return e.Mantissa + " " + e.Prefix + unit;
}

std::string FormatEngineering(double value, int digits) {
    if (!std::isfinite(value)) return value > 0 ? "inf" : (value < 0 ? "-inf" : "nan");
    const Engineering e = ToEngineering(value, digits);
    return e.Mantissa + e.Prefix;
}

}  // namespace velmora
