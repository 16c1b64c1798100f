#include "quantity_options.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "program.h"

namespace velmora {

namespace {

struct Prefix {
    std::string_view Text;
    int Power;
};
constexpr Prefix kPrefixes[] = {{"p", -12}, {"n", -9}, {"u", -6}, {"\xC2\xB5", -6}, {"m", -3},
                                {"k", 3},   {"K", 3},  {"M", 6},  {"G", 9},         {"T", 12}};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t k = 0; k < a.size(); ++k)
        if ((a[k] | 0x20) != (b[k] | 0x20)) return false;
    return true;
}

// x * 10^power with one rounding: the powers to 10^12 are exact.
long double Scale(long double x, int power) {
    long double p = 1;
    for (int k = 0; k < std::abs(power); ++k)
        p *= 10;
    return power < 0 ? x / p : x * p;
}

// "1pF", "1THz", "100%", "1000000000": a bound as a designer writes it.
std::string BoundText(long double v, const Quantity& kind) {
    const std::string unit = kind.Unit;
    if (unit == "%") return Fmt("%g", static_cast<double>(v * 100)) + "%";
    if (kind.Whole) return std::to_string(static_cast<unsigned long long>(v));
    int power = 0;
    if (kind.Prefixes && v > 0)
        power = std::clamp(static_cast<int>(std::floor(std::log10(v) / 3)) * 3, -12, 12);
    std::string prefix;
    for (const Prefix& p : kPrefixes)
        if (p.Power == power && power != 0 && prefix.empty()) prefix = p.Text;
    return Fmt("%g", static_cast<double>(Scale(v, -power))) + prefix + unit;
}

std::string RangeText(const Quantity& kind) {
    std::string s = (kind.LowOpen ? "above " : "from ") + BoundText(kind.Low, kind);
    if (kind.High < kUnbounded)
        s += (kind.HighOpen  ? " to below "
              : kind.LowOpen ? " up to "
                             : " to ") +
             BoundText(kind.High, kind);
    return s;
}

// The number and the power of ten its prefix gives, or nothing.
std::optional<long double> Parse(const std::string& text, const Quantity& kind, bool& bare) {
    const std::string_view unit = kind.Unit;
    size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    if (start == text.size()) return std::nullopt;
    const char first = text[start];
    // strtold would also take "inf", "nan" and hexadecimal forms.
    if (!IsDigit(first) && first != '.' && first != '-' && first != '+') return std::nullopt;
    char* end = nullptr;
    std::string number = text.substr(0, text.find_first_not_of("0123456789.eE+- ", start));
    while (!number.empty() && number.back() == ' ')
        number.pop_back();
    const long double parsed = std::strtold(number.c_str(), &end);
    if (end != number.c_str() + number.size() || !std::isfinite(parsed)) return std::nullopt;
    std::string_view rest = std::string_view(text).substr(number.size());
    while (!rest.empty() && (rest.front() == ' ' || rest.back() == ' '))
        rest.front() == ' ' ? rest.remove_prefix(1) : rest.remove_suffix(1);
    bare = rest.empty();
    if (rest.empty() || (!unit.empty() && SameLetters(rest, unit))) return parsed;
    if (!kind.Prefixes) return std::nullopt;
    for (const Prefix& p : kPrefixes) {
        if (!rest.starts_with(p.Text)) continue;
        rest.remove_prefix(p.Text.size());
        // 4n7, 2k2: the prefix stands for the point.
        size_t digits = 0;
        while (digits < rest.size() && IsDigit(rest[digits]))
            ++digits;
        long double value = parsed;
        if (digits > 0) {
            if (number.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
            value =
                std::strtold((number + "." + std::string(rest.substr(0, digits))).c_str(), nullptr);
            rest.remove_prefix(digits);
        }
        if (!rest.empty() && (unit.empty() || !SameLetters(rest, unit))) return std::nullopt;
        return Scale(value, p.Power);
    }
    return std::nullopt;
}

}  // namespace

QuantityReading ReadQuantity(const std::string& option, const std::string& text,
                             const Quantity& kind) {
    const auto refuse = [&](const char* problem) {
        return QuantityReading{std::nullopt, option + " '" + text + "' " + problem + ": give " +
                                                 kind.What + " " + RangeText(kind) + ", e.g. " +
                                                 kind.Example};
    };
    bool bare = false;
    std::optional<long double> value = Parse(text, kind, bare);
    if (!value) return refuse("cannot be read");
    if (bare && kind.NeedsUnit)
        return refuse(std::string_view(kind.Unit) == "%" ? "needs its % sign" : "has no unit");
    if (std::string_view(kind.Unit) == "%") *value /= 100;
    if (kind.Whole && *value != std::floor(*value)) return refuse("is not a whole number");
    const bool low = kind.LowOpen ? *value > kind.Low : *value >= kind.Low;
    const bool high = kind.HighOpen ? *value < kind.High : *value <= kind.High;
    if (!low || !high) return refuse("is out of range");
    return {value, ""};
}

CLI::Option* AddQuantityOption(CLI::App& app, const std::string& name, const Quantity& kind,
                               std::function<void(long double)> store, const std::string& help) {
    return app
        .add_option_function<std::string>(
            name,
            [name, kind, store = std::move(store)](const std::string& text) {
                const QuantityReading r = ReadQuantity(name, text, kind);
                if (!r.Value) throw CLI::ValidationError(r.Error);
                store(*r.Value);
            },
            help)
        ->type_name(kind.Unit[0] == '%' ? "PERCENT"
                    : kind.Whole        ? "COUNT"
                                        : "VALUE");
}

}  // namespace velmora
