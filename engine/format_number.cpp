// FormatNumber: an extended value to the text of a result box under a mask.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "fpu_scope.h"
#include "number_text.h"

namespace {

constexpr long double kTenTo18 = 1e18L;

struct DigitForm {
    std::string digits;  // first digit nonzero; endless zeros implied after it
    int point = 0;       // the value is 0.digits x 10^point
};

// Eighteen-digit form of a finite nonzero value.
DigitForm EighteenDigits(long double x) {
    // 1. Binary exponent of |x|.
    const long double magnitude = std::fabs(x);
    const int e2 = std::ilogb(magnitude);
    // 2. Decimal exponent estimate: the upper half of e2 * 19728 (log10 2 in
    //    16-bit fixed point), rounding toward minus infinity.
    const int32_t product = e2 * 19728;
    int d = product >> 16;
    // 3. Eighteen (sometimes nineteen) digits before the point.
    long double n = std::nearbyint(ScaleByPowerOfTen(magnitude, 17 - d));
    // 4. Nineteen digits: drop one, rounding again.
    if (n >= kTenTo18) {
        n = std::nearbyint(n / 10.0L);
        ++d;
    }
    // 5. The digits of N. When the estimate of d came out one too high, N has
    //    only 17 digits; the point position follows the digits actually there.
    DigitForm form;
    form.digits = std::to_string(static_cast<uint64_t>(n));
    form.point = d + 1 + (static_cast<int>(form.digits.size()) - 18);
    return form;
}

// Steps 4 to 9 for a digit string and point position.
std::string Render(const DigitForm& form, bool negative, int fractionDigits) {
    const int length = static_cast<int>(form.digits.size());
    auto digitAt = [&](int k) {  // k-th digit of the string, 0-based; zeros beyond
        return k >= 0 && k < length ? form.digits[static_cast<size_t>(k)] : '0';
    };
    // 4. Integer digits: the first p digits (zero-extended); none when p <= 0.
    std::string integer;
    for (int k = 0; k < form.point; ++k)
        integer += digitAt(k);
    // The first F fraction digits, then r, then whether anything after r is nonzero.
    std::string fraction;
    for (int k = 0; k < fractionDigits; ++k)
        fraction += digitAt(form.point + k);
    const int dropped = form.point + fractionDigits;
    const char r = digitAt(dropped);
    bool laterNonzero = false;
    for (int k = std::max(dropped + 1, 0); k < length; ++k)
        laterNonzero = laterNonzero || digitAt(k) != '0';

    // 5. Round half to even on the decimal digits.
    const char last = fraction.empty() ? (integer.empty() ? '0' : integer.back()) : fraction.back();
    const bool roundUp = r > '5' || (r == '5' && (laterNonzero || (last - '0') % 2 == 1));
    if (roundUp) {
        std::string kept = integer + fraction;
        size_t k = kept.size();
        for (; k > 0 && kept[k - 1] == '9'; --k)
            kept[k - 1] = '0';
        if (k > 0)
            ++kept[k - 1];
        else
            kept.insert(kept.begin(), '1');
        const size_t integerLength = kept.size() - fraction.size();
        integer = kept.substr(0, integerLength);
        fraction = kept.substr(integerLength);
    }
    // 6. An empty integer part is "0".
    if (integer.empty()) integer.assign(1, '0');
    // 8. The sign stays unless nothing but a single "0" was kept.
    const bool showSign = negative && !(integer == "0" && fraction.empty());
    // 7. Trailing fraction zeros go.
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    // 9. Sign, every integer digit, the point, what is left of the fraction.
    std::string text;
    text.reserve(integer.size() + fraction.size() + 2);
    if (showSign) text += '-';
    text += integer;
    text += '.';
    text += fraction;
    return text;
}

VELMORA_NOINLINE std::string FormatNumberExtended(long double value, int fractionDigits) {
    // 2. Special values.
    if (std::isnan(value) || value == 0.0L) return "0.";
    DigitForm form;
    if (std::isinf(value)) {
        form.digits = std::string(19, '9');
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
