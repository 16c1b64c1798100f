// FormatNumber: an extended value to the text of a result box under a mask.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "fpu_scope.h"
#include "number_text.h"

namespace {

constexpr long double kTenTo18 = 1e18L;

struct DigitForm {
    char digits[20];  // first digit nonzero; endless zeros implied after it
    int length = 0;
    int point = 0;  // the value is 0.digits x 10^point
};

// ilogb of a finite nonzero value, read off the exponent field; a subnormal
// (exponent field 0) is left to the library.
int BinaryExponent(long double magnitude) {
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &magnitude, sizeof bytes);
    const int field = (bytes[9] & 0x7F) << 8 | bytes[8];
    return field != 0 ? field - 16383 : std::ilogb(magnitude);
}

// Eighteen-digit form of a finite nonzero value.
DigitForm EighteenDigits(long double x) {
    // 1. Binary exponent of |x|.
    const long double magnitude = std::fabs(x);
    const int e2 = BinaryExponent(magnitude);
    // 2. Decimal exponent estimate: the upper half of e2 * 19728 (log10 2 in
    //    16-bit fixed point), rounding toward minus infinity.
    const int32_t product = e2 * 19728;
    int d = product >> 16;
    // 3. Eighteen (sometimes nineteen) digits before the point.
    long double n = RoundToInteger(ScaleByPowerOfTen(magnitude, 17 - d));
    // 4. Nineteen digits: drop one, rounding again.
    if (n >= kTenTo18) {
        n = RoundToInteger(n / 10.0L);
        ++d;
    }
    // 5. The digits of N. When the estimate of d came out one too high, N has
    //    only 17 digits; the point position follows the digits actually there.
    DigitForm form;
    char reversed[20];
    for (uint64_t v = static_cast<uint64_t>(n); v != 0 || form.length == 0; v /= 10)
        reversed[form.length++] = static_cast<char>('0' + v % 10);
    for (int k = 0; k < form.length; ++k)
        form.digits[k] = reversed[form.length - 1 - k];
    form.point = d + 1 + (form.length - 18);
    return form;
}

// Steps 4 to 9 for a digit string and point position.
std::string Render(const DigitForm& form, bool negative, int fractionDigits) {
    auto digitAt = [&](int k) {  // k-th digit of the string, 0-based; zeros beyond
        return k >= 0 && k < form.length ? form.digits[k] : '0';
    };
    // 4. Integer digits: the first p digits (zero-extended); none when p <= 0.
    //    Then the first F fraction digits; kept[0] is room for a carry.
    const int integerLength = form.point > 0 ? form.point : 0;
    const int first = form.point > 0 ? 0 : form.point;  // position of kept[1]
    const int keptLength = integerLength + fractionDigits;
    std::string kept(static_cast<size_t>(keptLength) + 1, '0');
    const int from = std::max(first, 0), to = std::min(first + keptLength, form.length);
    if (to > from)
        std::memcpy(&kept[static_cast<size_t>(from - first) + 1], form.digits + from,
                    static_cast<size_t>(to - from));
    // Then r, and whether anything after r is nonzero.
    const int dropped = form.point + fractionDigits;
    const char r = digitAt(dropped);
    bool laterNonzero = false;
    for (int k = dropped + 1 > 0 ? dropped + 1 : 0; k < form.length && !laterNonzero; ++k)
        laterNonzero = form.digits[k] != '0';

    // 5. Round half to even on the decimal digits.
    const char last = keptLength > 0 ? kept.back() : '0';
    const bool roundUp = r > '5' || (r == '5' && (laterNonzero || (last - '0') % 2 == 1));
    size_t begin = 1;
    if (roundUp) {
        size_t k = kept.size() - 1;
        for (; k > 0 && kept[k] == '9'; --k)
            kept[k] = '0';
        if (k > 0)
            ++kept[k];
        else
            kept[0] = '1', begin = 0;  // one more integer digit
    }
    const size_t integerEnd = kept.size() - static_cast<size_t>(fractionDigits);
    // 6. An empty integer part is "0".
    const bool noInteger = integerEnd == begin;
    // 8. The sign stays unless nothing but a single "0" was kept.
    const bool singleZero = noInteger || (integerEnd == begin + 1 && kept[begin] == '0');
    const bool showSign = negative && !(singleZero && fractionDigits == 0);
    // 7. Trailing fraction zeros go.
    size_t end = kept.size();
    while (end > integerEnd && kept[end - 1] == '0')
        --end;
    // 9. Sign, every integer digit, the point, what is left of the fraction.
    std::string text;
    text.reserve(end - begin + 3);
    if (showSign) text += '-';
    if (noInteger)
        text += '0';
    else
        text.append(kept, begin, integerEnd - begin);
    text += '.';
    text.append(kept, integerEnd, end - integerEnd);
    return text;
}

VELMORA_NOINLINE std::string FormatNumberExtended(long double value, int fractionDigits) {
    // 2. Special values.
    if (std::isnan(value) || value == 0.0L) return "0.";
    DigitForm form;
    if (std::isinf(value)) {
        std::memset(form.digits, '9', 19);
        form.length = 19;
        form.point = 999;
    } else {
        form = EighteenDigits(value);  // 3.
    }
    return Render(form, std::signbit(value), fractionDigits);
}

}  // namespace

std::string FormatNumber(long double value, std::string_view mask) {
    // 1. F is the number of "#" after the "."; the integer width has no effect.
    const size_t point = mask.find('.');
    int fractionDigits = 0;
    if (point != std::string_view::npos) {
        for (size_t k = point + 1; k < mask.size(); ++k)
            fractionDigits += mask[k] == '#';
    }
    FpuScope scope;
    return FormatNumberExtended(value, fractionDigits);
}
