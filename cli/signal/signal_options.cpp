#include "signal_options.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <ostream>

#include "common/output_files.h"
#include "common/program.h"
#include "common/quantity_options.h"
#include "output/signal_plots.h"
#include "signal_report.h"
#include "text/quantity_text.h"

namespace velmora {

namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && Lower(s.substr(s.size() - tail.size())) == tail;
}

// One figure of the datasheet: its key, unit and where it goes.
struct Figure {
    const char* Key;
    const char* Unit;
    double OpAmp::*Field;
    const char* Example;
};

constexpr Figure kFigures[] = {
    {"gbw", "Hz", &OpAmp::GbwHz, "10MHz"},      {"sr", "V/us", &OpAmp::SlewVPerS, "5V/us"},
    {"en", "V", &OpAmp::EnVPerRtHz, "8nV"},     {"fc", "Hz", &OpAmp::FlickerCornerHz, "10Hz"},
    {"in", "A", &OpAmp::InAPerRtHz, "1pA"},     {"vos", "V", &OpAmp::VosV, "1mV"},
    {"ib", "A", &OpAmp::IbA, "10nA"},           {"ios", "A", &OpAmp::IosA, "1nA"},
    {"out", "V", &OpAmp::OutHeadroomV, "0.1V"}, {"cin", "F", &OpAmp::CinF, "5pF"},
    {"supply", "V", &OpAmp::SupplyV, "5V"},
};

// A non-negative value in `unit`, in the vocabulary of every other option
// (SI prefixes, the unit optional); messages are the caller's.
std::optional<double> ParseQuantity(const std::string& text, const std::string& unit) {
    const Quantity kind{"a value", unit.c_str(), true,  false, false,
                        0,         kUnbounded,   false, false, "1"};
    const QuantityReading r = ReadQuantity("", text, kind);
    if (!r.Value) return std::nullopt;
    return static_cast<double>(*r.Value);
}

// A value in its unit; "V/us" also takes V/s, "V" noise densities may end
// in /rtHz. Never negative.
std::optional<double> Value(std::string text, const std::string& unit) {
    if (EndsWith(text, "/rthz")) text.resize(text.size() - 5);
    if (unit == "V/us") {
        if (EndsWith(text, "v/s")) return ParseQuantity(text.substr(0, text.size() - 3), "");
        if (EndsWith(text, "v/us")) text.resize(text.size() - 4);
        const auto perMicrosecond = ParseQuantity(text, "");
        if (!perMicrosecond) return std::nullopt;
        return *perMicrosecond * 1e6;
    }
    // Current noise is often in fA/rtHz, below the common prefixes.
    if (unit == "A" && EndsWith(text, "fa")) {
        const auto femto = ParseQuantity(text.substr(0, text.size() - 2), "");
        if (!femto) return std::nullopt;
        return *femto * 1e-15;
    }
    return ParseQuantity(text, unit);
}

std::optional<double> Ohms(const std::string& text) {
    for (const char* unit : {"ohm", "ohms", "\xCE\xA9"})
        if (const auto v = ParseQuantity(text, unit)) return v;
    return std::nullopt;
}

}  // namespace

std::string ParseOpAmp(const std::string& text, OpAmp& amp) {
    for (const Setting& setting : SplitSettings(text)) {
        if (!setting.Value) return "--opamp: '" + setting.Name + "' is not KEY=VALUE";
        const std::string key = Lower(setting.Name), value = *setting.Value;
        if (key == "gbw-spread") {
            const QuantityReading r = ReadQuantity("--opamp gbw-spread", value, kTolerance);
            if (!r.Value) return r.Error;
            amp.GbwSpread = static_cast<double>(*r.Value);
            continue;
        }
        if (key == "cm") {
            const size_t colon = value.find(':');
            const auto low = Value(value.substr(0, colon), "V");
            const auto high =
                colon == std::string::npos ? std::nullopt : Value(value.substr(colon + 1), "V");
            if (!low || !high || *low < 0 || *high < 0)
                return "--opamp: cm='" + value +
                       "' is not LOW:HIGH, the inputs' headroom from each rail, e.g. 0V:1.5V";
            amp.CmLowHeadroomV = *low;
            amp.CmHighHeadroomV = *high;
            continue;
        }
        const Figure* figure = nullptr;
        for (const Figure& f : kFigures)
            if (key == f.Key) figure = &f;
        if (!figure)
            return "--opamp: unknown figure '" + key +
                   "' (use gbw, gbw-spread, sr, en, fc, in, vos, ib, ios, out, cm, cin, supply)";
        const auto v = Value(value, figure->Unit);
        if (!v || *v < 0 || !std::isfinite(*v))
            return "--opamp: " + key + "='" + value + "' is not a value such as " + key + "=" +
                   figure->Example;
        amp.*figure->Field = *v;
    }
    if (!(amp.GbwHz > 0)) return "--opamp: the gain-bandwidth gbw must be above 0";
    if (!(amp.SlewVPerS > 0)) return "--opamp: the slew rate sr must be above 0";
    if (!(amp.SupplyV > 0)) return "--opamp: the supply must be above 0";
    if (!(amp.OutputPeak() > 0))
        return "--opamp: the output's headroom leaves it no swing on a " +
               WithPrefix(amp.SupplyV, "V") + " supply";
    if (!(amp.InputPeak() > 0))
        return "--opamp: the inputs' headroom leaves them no range on a " +
               WithPrefix(amp.SupplyV, "V") + " supply";
    return "";
}

void AddSignalOptions(CLI::App& app, SignalOptions& o) {
    const char* group = "The signal through the filter";
    app.add_flag("--signal", o.Text,
                 "noise, the gain to every node, the largest clean input, output current, "
                 "slew rate and DC offset, for the op-amp of --opamp (default: a generic one)")
        ->group(group);
    app.add_option("--opamp", o.OpAmpText,
                   "the op-amp's datasheet figures, any of gbw=10MHz,sr=5V/us,en=8nV,fc=10Hz,"
                   "in=1pA,vos=1mV,ib=10nA,ios=1nA,out=0.1V,cm=0V:1.5V,cin=5pF,supply=5V (these "
                   "are the defaults; out and cm are headroom from the rails), gbw-spread=0% "
                   "(from board to board); --gbw 10MHz is short for gbw=10MHz. With a GBW "
                   "given, --monte-carlo and --trim draw it per board and add cin across C4")
        ->type_name("FIGURES")
        ->group(group);
    app.add_option("--source-r", o.Source,
                   "the source's resistance in ohms, in series with R1 (default 0)")
        ->type_name("OHMS")
        ->group(group);
    app.add_option("--load", o.Load, "a load on the output in ohms (default none)")
        ->type_name("OHMS")
        ->group(group);
    app.add_option("--noise-band", o.Band,
                   "the band the noise is integrated over (default: a thousandth to ten "
                   "times the -3 dB frequency)")
        ->type_name("LOW:HIGH")
        ->group(group);
    AddOutputOption(app, "--signal-json", o.JsonFile, kJsonFile,
                    "the signal sections as JSON to a file ('-': stdout)")
        ->group(group);
    AddOutputOption(app, "--signal-plots", o.PlotDir, kFolder,
                    "write the noise density and node gain plots (SVG) into this folder")
        ->group(group);
}

namespace {

bool OutputAsked(const SignalOptions& o) {
    return o.Text || !o.JsonFile.empty() || !o.PlotDir.empty();
}

bool FigureGiven(const SignalOptions& o) {
    return !o.OpAmpText.empty() || !o.Source.empty() || !o.Load.empty() || !o.Band.empty();
}

}  // namespace

bool SignalRequested(const SignalOptions& o) {
    return OutputAsked(o) || FigureGiven(o);
}

std::string FinishSignalOptions(SignalOptions& o, BuildOptions& build, InsightOptions& insight,
                                bool json, bool batch) {
    // 1. The op-amp: --opamp over the generic one, --gbw its short form.
    o.Amp = GenericOpAmp();
    if (!o.OpAmpText.empty())
        if (std::string e = ParseOpAmp(o.OpAmpText, o.Amp); !e.empty()) return e;
    const bool opampGbw = Lower(o.OpAmpText).find("gbw=") != std::string::npos;
    if (!build.Gbw.empty()) {
        const QuantityReading reading = ReadQuantity("--gbw", build.Gbw, kFrequency);
        if (!reading.Value) return reading.Error;
        const double gbw = static_cast<double>(*reading.Value);
        if (opampGbw && gbw != o.Amp.GbwHz)
            return "--gbw " + build.Gbw + " and --opamp gbw= name two op-amps: give one";
        o.Amp.GbwHz = gbw;
    } else if (opampGbw && BuildReportRequested(build) && o.Amp.GbwHz > 0) {
        build.Gbw = WithPrefix(o.Amp.GbwHz, "Hz", 17);
        build.Gbw.erase(std::remove(build.Gbw.begin(), build.Gbw.end(), ' '), build.Gbw.end());
    }
    o.AmpGiven = !o.OpAmpText.empty() || !build.Gbw.empty();
    build.GbwSpread = o.Amp.GbwSpread;
    build.CinF = o.Amp.CinF;

    // 2. Source, load and band.
    if (!o.Source.empty()) {
        const auto r = Ohms(o.Source);
        if (!r || *r < 0) return "--source-r '" + o.Source + "' is not a resistance such as 600";
        o.SourceOhms = *r;
    }
    if (!o.Load.empty()) {
        const auto r = Ohms(o.Load);
        if (!r || !(*r > 0)) return "--load '" + o.Load + "' is not a resistance such as 10k";
        o.LoadOhms = *r;
    }
    if (!o.Band.empty()) {
        const size_t colon = o.Band.find(':');
        const auto low = ParseQuantity(o.Band.substr(0, colon), "Hz");
        const auto high = colon == std::string::npos
                              ? std::nullopt
                              : ParseQuantity(o.Band.substr(colon + 1), "Hz");
        if (!low || !high || !(*low > 0) || !(*high > *low))
            return "--noise-band takes LOW:HIGH with 0 < LOW < HIGH, e.g. 20Hz:20kHz";
        o.Bands = {*low, *high};
    }

    // 3. Where the sections go.
    if (batch && SignalRequested(o))
        return "--signal, --signal-json, --signal-plots and --opamp work on one design, not "
               "with --batch";
    const bool anyFigure = FigureGiven(o);
    if (json && o.Text)
        return "--json covers the design only; the signal goes to --signal-json FILE ('-': "
               "stdout)";
    if (json && o.JsonFile == "-")
        return "--json and --signal-json - would both write JSON to stdout";
    const bool used = OutputAsked(o) || !insight.SpiceFile.empty() || !insight.ReportFile.empty() ||
                      BuildReportRequested(build);
    if (anyFigure && !used)
        return "--opamp, --source-r, --load and --noise-band go with --signal, --signal-json, "
               "--signal-plots, --spice or --report";
    if (anyFigure || !build.Gbw.empty()) {
        insight.SpiceAmp = o.Amp;
        insight.SpiceSourceOhms = o.SourceOhms;
        insight.SpiceLoadOhms = o.LoadOhms;
    }
    if (SignalRequested(o)) {
        const SignalOptions copy = o;
        insight.ReportSections = [copy](const DesignAnalysis& a) {
            return SignalHtml(
                AnalyseSignal(SignalFor(a, copy.Amp, copy.SourceOhms, copy.LoadOhms), copy.Bands),
                copy.AmpGiven, "report");
        };
    }
    return "";
}

int WriteSignalSections(const SignalOptions& o, const DesignAnalysis& a, const std::string& title,
                        bool json, std::ostream& out, std::ostream& err, std::string* boardPage) {
    if (!SignalRequested(o)) return 0;
    const SignalAnalysis s = AnalyseSignal(SignalFor(a, o.Amp, o.SourceOhms, o.LoadOhms), o.Bands);
    if (o.Text) WriteSignalText(out, s, o.AmpGiven);
    if (boardPage) *boardPage = SignalHtml(s, o.AmpGiven, "board");
    int status = 0;
    const auto write = [&](const std::string& name, const std::string& text, const char* what) {
        if (WriteTextFile(name, text)) {
            if (!json) out << "Wrote " << what << ": " << name << "\n";
        } else {
            err << kProgram << ": cannot write the " << what << " " << name << "\n";
            status = 1;
        }
    };
    if (o.JsonFile == "-")
        out << SignalJson(s, o.AmpGiven).dump(2) << "\n";
    else if (!o.JsonFile.empty())
        write(o.JsonFile, SignalJson(s, o.AmpGiven).dump(2) + "\n", "signal JSON");
    if (!o.PlotDir.empty() && s.Valid) {
        write(FileInFolder(o.PlotDir, "signal-noise.svg"), NoiseDensitySvg(s, title, "noise", true),
              "noise plot");
        write(FileInFolder(o.PlotDir, "signal-levels.svg"), NodeGainSvg(s, title, "levels", true),
              "node gain plot");
    }
    return status;
}

}  // namespace velmora
