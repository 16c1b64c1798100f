// ParseNumber: the text of an input box to a double, formed in extended.
#include <cstdint>

#include "fpu_scope.h"
#include "number_text.h"

namespace {

// Counts saturate far beyond anything that matters (|P| + exponent past 4933
// already decides the result), so texts of any length read soundly.
constexpr int64_t kCountLimit = 1'000'000'000;
constexpr int kExponentLimit = 9999;
constexpr int kOverflowPoint = 4933;
constexpr int kMaxMantissaDigits = 18;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void CountUp(int64_t& count) {
    if (count < kCountLimit) ++count;
}

int DigitValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 99;
}

// Radix form, starting just after the "&":
//   "&H10" -> 16, "&HFFFF" -> -1, "&HFFFF&" -> 65535, "&17" -> 15, "&H" -> 0.
long double ParseRadix(std::string_view s) {
    size_t i = 0;
    unsigned shift = 3;
    unsigned base = 8;
    if (i < s.size()) {
        switch (s[i]) {
            case 'H':
            case 'h':
                base = 16;
                shift = 4;
                ++i;
                break;
            case 'O':
            case 'o':
            case 'Q':
            case 'q':
                ++i;
                break;
            case 'B':
            case 'b':
                base = 2;
                shift = 1;
                ++i;
                break;
            default:
                break;  // octal, and this character is the first digit
        }
    }
    const size_t firstDigit = i;
    uint64_t u = 0;
    bool overflow = false;
    for (; i < s.size() && static_cast<unsigned>(DigitValue(s[i])) < base; ++i) {
        if ((u >> (64 - shift)) != 0) overflow = true;
        u = (u << shift) | static_cast<unsigned>(DigitValue(s[i]));
    }
    if (i == firstDigit || overflow) return 0.0L;

    // Type suffix: "%", "&", "&&", "?", "??" or "???".
    std::string_view suffix;
    if (i < s.size()) {
        const char c = s[i];
        size_t n = 0;
        const size_t most = c == '&' ? 2 : c == '?' ? 3 : c == '%' ? 1 : 0;
        while (n < most && i + n < s.size() && s[i + n] == c)
            ++n;
        suffix = s.substr(i, n);
    }
    const bool unsignedSuffix = !suffix.empty() && suffix[0] == '?';
    const bool longSuffix = suffix == "&";
    const bool quadSuffix = suffix == "&&";

    if (unsignedSuffix) return u >= (uint64_t{1} << 63) ? 0.0L : static_cast<long double>(u);
    if (s[firstDigit] == '0') return static_cast<long double>(static_cast<int64_t>(u));
    if (u < 0x10000u && (u & 0x8000u) && !longSuffix && !quadSuffix)
        return static_cast<long double>(static_cast<int64_t>(u) - 0x10000);
    if (u >= 0x10000u && u < 0x100000000u && (u & 0x80000000u) && !quadSuffix)
        return static_cast<long double>(static_cast<int64_t>(u) - 0x100000000);
    return static_cast<long double>(static_cast<int64_t>(u));
}

// Decimal form: sign, mantissa, exponent; see the steps below.
long double ParseDecimal(std::string_view s) {
    size_t i = 0;
    // 3. One sign, directly followed by the number.
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    // 4. Mantissa: significant digits from the first nonzero one on.
    uint64_t mantissa = 0;
    int64_t significant = 0;      // n
    int64_t beforePoint = 0;      // significant digits before the point
    int64_t zerosAfterPoint = 0;  // zeros between the point and the first significant digit
    bool seenPoint = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '.' && !seenPoint) {
            seenPoint = true;
            continue;
        }
        if (!IsDigit(c)) break;
        if (significant == 0 && c == '0') {
            if (seenPoint) CountUp(zerosAfterPoint);
            continue;
        }
        if (significant < kMaxMantissaDigits)
            mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
        CountUp(significant);
        if (!seenPoint) CountUp(beforePoint);
    }
    // 5. Point position.
    int64_t point = 0;
    if (!seenPoint)
        point = significant;
    else if (beforePoint > 0)
        point = beforePoint;
    else
        point = -zerosAfterPoint;

    // 6. Exponent, saturating at 9999; a bare letter means 0.
    int64_t exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negativeExponent = s[i] == '-';
            ++i;
        }
        for (; i < s.size() && IsDigit(s[i]); ++i) {
            exponent = exponent * 10 + (s[i] - '0');
            if (exponent > kExponentLimit) exponent = kExponentLimit;
        }
        if (negativeExponent) exponent = -exponent;
    }

    // 7. The value.
    long double value = 0.0L;
    const int64_t k = point + exponent;
    if (significant == 0) {
        value = 0.0L;
    } else if (k >= kOverflowPoint) {
        value = 0x1p127L;
    } else if (k <= -kOverflowPoint) {
        value = 0.0L;
    } else {
        const int64_t kept = significant < kMaxMantissaDigits ? significant : kMaxMantissaDigits;
        value = ScaleByPowerOfTen(static_cast<long double>(mantissa), static_cast<int>(k - kept));
    }
    return negative ? -value : value;
}

VELMORA_NOINLINE double ParseNumberExtended(std::string_view text) {
    // 1. Leading blanks; nothing else means +0.
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    const std::string_view rest = text.substr(i);
    if (rest.empty()) return 0.0;
    // 2. Radix or decimal form. 8. Rounded to double last.
    const long double value = rest[0] == '&' ? ParseRadix(rest.substr(1)) : ParseDecimal(rest);
    return static_cast<double>(value);
}

}  // namespace

double ParseNumber(std::string_view text) {
    FpuScope scope;
    return ParseNumberExtended(text);
}
