#include "board_text.h"

#include <cmath>
#include <cstdio>
#include <ostream>

#include "common/program.h"
#include "model/portable_math.h"
#include "text/quantity_text.h"

namespace velmora {

std::string OpAmpText(const YieldOpAmp& a) {
    if (a.Ideal()) return "ideal op-amp";
    char spread[32];
    std::snprintf(spread, sizeof spread, " +-%g %%", a.GbwSpread * 100);
    return "op-amp GBW " + FormatEngineering(a.GbwHz, 4) + "Hz" + spread + ", cin " +
           FormatEngineering(a.CinF, 4) + "F";
}

std::string Percent(double fraction, int decimals, bool sign) {
    double value = fraction * 100;
    if (sign && std::fabs(value) < 0.5 * PowerOfTen(-decimals)) value = 0;
    // A NaN prints without its sign bit, the same on every platform.
    const std::string format = (sign ? "%+." : "%.") + std::to_string(decimals) + "f";
    return PrintfNumber(format.c_str(), value) + " %";
}

std::string YieldText(int passed, int trials) {
    const YieldInterval i = WilsonInterval(passed, trials);
    return Percent(trials > 0 ? static_cast<double>(passed) / trials : 0) + " (" +
           std::to_string(passed) + " of " + std::to_string(trials) + "; 95 % interval " +
           IntervalText(i) + ")";
}

std::string IntervalText(const YieldInterval& i) {
    return Fmt("%.2f", i.Low * 100) + " to " + Percent(i.High);
}

std::string YieldText(const BoardRun& r) {
    return YieldText(r.Passed, r.Trials);
}

std::string Ohms(double value, int digits) {
    return FormatEngineering(value, digits) + " ohm";
}

std::string TestText(const KTrim& t) {
    return t.TestHz > 0 ? Fmt("%g", t.TestHz) + " Hz" : "DC";
}

std::string MaskText(const YieldMask& m) {
    std::string text;
    const auto add = [&](const std::string& part) { text += (text.empty() ? "" : ", ") + part; };
    if (m.Minus3dB > 0) add("-3 dB within " + Fmt("%g", m.Minus3dB * 100) + " %");
    if (m.F0 > 0) add("f0 within " + Fmt("%g", m.F0 * 100) + " %");
    if (m.Q > 0) add("Q within " + Fmt("%g", m.Q * 100) + " %");
    if (m.PeakingDb > 0) add("peaking within " + Fmt("%g", m.PeakingDb) + " dB");
    return text;
}

std::string Row(const std::string& label, const std::string& a, const std::string& b,
                const std::string& c) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "  %-14s %-16s %-16s %s\n", label.c_str(), a.c_str(),
                  b.c_str(), c.c_str());
    return buffer;
}

bool WriteOutputFile(const std::string& path, const std::string& text, std::ostream& err) {
    const bool written = WriteTextFile(path, text);
    if (!written) err << kProgram << ": cannot write " << path << "\n";
    return written;
}

}  // namespace velmora
