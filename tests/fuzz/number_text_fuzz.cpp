// libFuzzer target for the two number conversions.
//
// Any byte string is a text to parse (read in place, so a read past its end
// trips AddressSanitizer). Its first bytes are also taken as a double and as
// an x87 extended bit pattern (unnormals and pseudo-denormals included) to
// format under every mask: the text must be well formed, and a double's text
// never longer than the 1001 characters of a negative infinity.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "number_text.h"

namespace {

constexpr const char* kMasks[] = {"#.#", "#.####", "#.######", "#######.#"};
constexpr size_t kLongestDoubleText = 1001;
constexpr size_t kLongestExtendedText = 4950;

// "-"? digits "." digits, with no leading zero unless the integer part is "0"
// and no trailing fraction zero.
bool WellFormed(const std::string& text, int fractionDigits) {
    size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
    const size_t point = text.find('.');
    if (point == std::string::npos || point == i) return false;
    if (text[i] == '0' && point != i + 1) return false;
    for (size_t k = i; k < text.size(); ++k)
        if (k != point && (text[k] < '0' || text[k] > '9')) return false;
    const size_t fraction = text.size() - point - 1;
    if (fraction > static_cast<size_t>(fractionDigits)) return false;
    return fraction == 0 || text.back() != '0';
}

void Check(long double value, size_t longest) {
    for (const char* mask : kMasks) {
        const std::string text = FormatNumber(value, mask);
        const int fractionDigits = static_cast<int>(std::strlen(std::strchr(mask, '.') + 1));
        if (text.size() > longest || !WellFormed(text, fractionDigits)) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const double parsed = ParseNumber(std::string_view(reinterpret_cast<const char*>(data), size));
    Check(parsed, kLongestDoubleText);
    if (size >= sizeof(double)) {
        double d;
        std::memcpy(&d, data, sizeof d);
        Check(d, kLongestDoubleText);
    }
    if (size >= 10) {
        long double x = 0;
        std::memcpy(&x, data, 10);
        Check(x, kLongestExtendedText);
    }
    return 0;
}
