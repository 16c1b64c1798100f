#include "input_reading.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "common/calculation.h"
#include "number_text.h"
#include "program.h"

namespace velmora {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where the number that the window reads ends, following its grammar; the
// reading itself stays the engine's.
struct NumberSpan {
    size_t Begin = 0, End = 0;
    bool HasDigits = false;
    bool Plain = false;  // [sign] digits [. digits]: no exponent, no radix form
};

size_t RadixEnd(std::string_view s, size_t i, bool& digits) {
    unsigned base = 8;
    if (i < s.size()) {
        const char c = s[i];
        if (c == 'H' || c == 'h') base = 16;
        if (c == 'B' || c == 'b') base = 2;
        if (base != 8 || c == 'O' || c == 'o' || c == 'Q' || c == 'q') ++i;
    }
    const size_t first = i;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        const unsigned d = IsDigit(c) ? unsigned(c - '0')
                           : (c | 0x20) >= 'a' && (c | 0x20) <= 'f'
                               ? unsigned((c | 0x20) - 'a' + 10)
                               : 99u;
        if (d >= base) break;
    }
    digits = i > first;
    if (digits && i < s.size()) {  // type suffix: %, &, &&, ?, ?? or ???
        const char c = s[i];
        const size_t most = c == '&' ? 2 : c == '?' ? 3 : c == '%' ? 1 : 0;
        for (size_t n = 0; n < most && i < s.size() && s[i] == c; ++n)
            ++i;
    }
    return i;
}

NumberSpan FindNumber(std::string_view s) {
    NumberSpan n;
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    n.Begin = i;
    if (i < s.size() && s[i] == '&') {
        n.End = RadixEnd(s, i + 1, n.HasDigits);
        return n;
    }
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool point = false;
    for (; i < s.size() && (IsDigit(s[i]) || (s[i] == '.' && !point)); ++i) {
        point = point || s[i] == '.';
        n.HasDigits = n.HasDigits || IsDigit(s[i]);
    }
    n.End = i;
    n.Plain = n.HasDigits;
    if (n.HasDigits && i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const size_t digits = j;
        while (j < s.size() && IsDigit(s[j]))
            ++j;
        // A letter without digits reads as exponent 0 but is left to the rest.
        if (j > digits) n.End = j, n.Plain = false;
    }
    return n;
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t k = 0; k < a.size(); ++k)
        if ((a[k] | 0x20) != (b[k] | 0x20)) return false;
    return true;
}

// The power of ten of the input's own unit, and the unit names a designer
// may write after it: C is in uF, R* in ohms, FSF in Hz.
struct InputUnit {
    int Power;
    std::string_view Names[3];
};
constexpr InputUnit kUnits[8] = {
    {0, {}},     {0, {}},     {0, {}}, {0, {}},
    {-6, {"F"}}, {0, {"Hz"}}, {0, {}}, {0, {"ohm", "ohms", "\xCE\xA9"}}};

bool IsUnit(size_t input, std::string_view rest) {
    for (std::string_view name : kUnits[input].Names)
        if (!name.empty() && SameLetters(rest, name)) return true;
    return false;
}

// "2k", "10nF", "2k2", "2000ohms": what the designer meant, in the input's
// own unit ("2000", "0.01"), or "" when the rest is not a prefix and unit.
std::string PrefixHint(size_t input, std::string_view number, std::string_view rest) {
    static constexpr std::pair<std::string_view, int> kPrefixes[] = {
        {"p", -12}, {"n", -9}, {"u", -6}, {"\xC2\xB5", -6}, {"m", -3},
        {"k", 3},   {"K", 3},  {"M", 6},  {"G", 9}};
    int power = 0;
    std::string digits(number);
    if (!IsUnit(input, rest)) {
        bool found = false;
        for (const auto& [prefix, p] : kPrefixes)
            if (rest.starts_with(prefix)) {
                power = p, found = true;
                rest.remove_prefix(prefix.size());
                break;
            }
        if (!found) return "";
        // 2k2: the prefix stands for the point.
        size_t k = 0;
        while (k < rest.size() && IsDigit(rest[k]))
            ++k;
        if (k > 0) {
            if (number.find('.') != std::string_view::npos) return "";
            digits += "." + std::string(rest.substr(0, k));
            rest.remove_prefix(k);
        }
        if (!rest.empty() && !IsUnit(input, rest)) return "";
    }
    digits += "e" + std::to_string(power - kUnits[input].Power);
    return Fmt("%.15g", std::strtod(digits.c_str(), nullptr));
}

std::string ValueText(double v) {
    if (v == 0) return "0";
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, r.ptr);
}

}  // namespace

std::string ReadingNote(size_t input, const std::string& text) {
    const double value = ParseNumber(text);
    const NumberSpan n = FindNumber(text);
    size_t tail = n.End;
    while (tail < text.size() && IsBlank(text[tail]))
        ++tail;
    std::string why;
    if (n.Begin == text.size()) {
        why = "the text is empty";
    } else if (!n.HasDigits) {
        why = "not a number";
    } else if (tail < text.size()) {
        const std::string_view number = std::string_view(text).substr(n.Begin, n.End - n.Begin);
        std::string_view rest = std::string_view(text).substr(tail);
        while (!rest.empty() && IsBlank(rest.back()))
            rest.remove_suffix(1);
        const bool wholeNumberFollows = rest.size() > 1 && IsDigit(rest[1]) &&
                                        FindNumber(rest.substr(1)).End == rest.size() - 1;
        const std::string hint = n.Plain ? PrefixHint(input, number, rest) : "";
        if (n.Plain && number.find('.') == std::string_view::npos && rest[0] == ',' &&
            wholeNumberFollows)
            why = "a decimal comma ends the number; write " + std::string(number) + "." +
                  std::string(rest.substr(1));
        else
            why = "only the leading number counts" + (hint.empty() ? "" : "; write " + hint);
    } else if (!std::isfinite(value)) {
        why = "too large to compute with";
    } else if (input >= static_cast<size_t>(Input::Cap) && !(value > 0)) {
        why = std::string(kInputNames[input]) + " must be above 0";
    } else {
        return "";
    }
    return "'" + text + "' read as " + ValueText(value) + kInputUnits[input] + ": " + why;
}

bool NoFieldIsANumber(const std::string* texts, size_t count) {
    for (size_t k = 0; k < count; ++k)
        if (FindNumber(texts[k]).HasDigits) return false;
    return true;
}

}  // namespace velmora
