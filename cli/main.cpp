// velmora-calc: the design engine without a window.
//
//   velmora-calc --preset butterworth          one design, for people
//   velmora-calc --preset bessel --json        the same as JSON
//   velmora-calc --batch < in.tsv > out.tsv    one design per line, streamed
#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <string>

#include "board/build_options.h"
#include "common/calculation.h"
#include "common/console.h"
#include "common/input_reading.h"
#include "common/program.h"
#include "insight/insight.h"
#include "report/batch.h"
#include "report/report.h"
#include "signal/signal_options.h"

using namespace velmora;

namespace {

constexpr int kUsageError = 2;

// The per-input options, in reading order: --af1 .. --rstar.
constexpr const char* kInputOptions[8] = {"--af1", "--f1",  "--af2", "--f2",
                                          "--cap", "--fsf", "--isf", "--rstar"};
constexpr const char* kInputHelp[8] = {
    "damping of the first pole pair, 1/Q1 (text as typed in the window)",
    "natural frequency of the first pole pair on the table's scale: 1 means 1 Hz in the prototype",
    "damping of the second pole pair, 1/Q2",
    "natural frequency of the second pole pair",
    "the prototype's capacitor in uF, all four before scaling; the board's is C / (ISF x FSF) "
    "(default \"1\")",
    "frequency scaling factor: the prototype is at 1 Hz, so this is the filter's frequency in Hz "
    "(default \"1000\")",
    "impedance scaling factor: the board's resistors are the prototype's times ISF "
    "(default \"0.01\")",
    "R* in ohms, the gain network's resistor to ground; RK-R = (K - 1) x R* (default \"2000\")",
};

int UsageError(const std::string& message) {
    std::cerr << kProgram << ": " << message << "\nTry '" << kProgram << " --help' for usage.\n";
    return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
    ConsoleArguments args(argc, argv);
    std::ios::sync_with_stdio(false);
    CLI::App app{
        "Designs a fourth-order low-pass filter around one op-amp: solves R1 to R4 and the gain K "
        "for two pole pairs (AF = 1/Q, F) and prints the prototype and scaled values. Texts are "
        "read exactly as the window reads them: a text that is not a number reads as 0.",
        kProgram};
    app.set_version_flag("--version", kProgramVersion);

    std::string preset;
    bool json = false;
    bool batch = false;
    bool strict = false;
    std::optional<std::string> given[8];
    app.add_option("--preset", preset, "load a standard set: " + PresetNames());
    for (size_t k = 0; k < 8; ++k) {
        app.add_option_function<std::string>(
               kInputOptions[k], [&given, k](const std::string& text) { given[k] = text; },
               kInputHelp[k])
            ->allow_extra_args(false);
    }
    app.add_flag("--json", json, "print the result as one JSON object");
    app.add_flag("--batch", batch,
                 "read lines of eight TAB-separated input texts (AF1 F1 AF2 F2 C FSF ISF R*) "
                 "from standard input; write the twelve result texts per line");
    app.add_flag("--strict", strict,
                 "refuse input texts that are not wholly a number, or that give C, FSF, ISF or "
                 "R* not above 0 (exit 2; with --batch, such a line gets an empty line)");
    BuildOptions build;
    AddBuildOptions(app, build);
    InsightOptions insight;
    AddInsightOptions(app, insight);
    SignalOptions signal;
    AddSignalOptions(app, signal);

    try {
        app.parse(args.Count(), args.Values());
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::CallForVersion&) {
        std::cout << kProgramVersion << "\n";
        return 0;
    } catch (const CLI::ParseError& e) {
        return UsageError(e.what());
    }

    if (const std::string e = FinishSignalOptions(signal, build, insight, json, batch); !e.empty())
        return UsageError(e);
    if (batch) {
        if (InsightRequested(insight))
            return UsageError(
                "--analyse, --plot, --step-plot, --spice and --report work on one design, not "
                "with --batch");
        const bool inputsGiven = std::any_of(std::begin(given), std::end(given),
                                             [](const auto& g) { return g.has_value(); });
        if (inputsGiven || json || !preset.empty() || BuildReportRequested(build))
            return UsageError("--batch takes its inputs from standard input only");
        return RunBatch(std::cin, std::cout, std::cerr, strict);
    }

    InputTexts inputs;
    if (!preset.empty()) {
        const std::optional<int> id = PresetControlId(preset);
        if (!id)
            return UsageError("unknown preset '" + preset + "' (use one of: " + PresetNames() +
                              ")");
        ApplyPreset(inputs, *id);
    }
    for (size_t k = 0; k < 8; ++k)
        if (given[k]) inputs.Texts[k] = *given[k];
    if (const std::string error = ApplyBuildInputs(build, inputs, given, !preset.empty(), json);
        !error.empty())
        return UsageError(error);
    // The texts are read the window's way; say where that is not what was meant.
    bool noted = false;
    for (size_t k = 0; k < 8; ++k)
        if (given[k])
            if (const std::string note = ReadingNote(k, *given[k]); !note.empty()) {
                std::cerr << kProgram << ": " << kInputOptions[k] << " " << note << "\n";
                noted = true;
            }
    if (noted && strict) return kUsageError;

    // The design is computed once; the board of the build options, when
    // any are given, once from it, and every output renders those two.
    const CalculationResult result = RunCalculation(inputs);
    std::optional<BuildRun> board;
    if (!json && BuildReportRequested(build)) board = PrepareBuild(build, result.Design);
    std::string title = ResponseTitle(build);
    if (title.empty()) title = DesignTitle(preset);
    // The analysis only follows the twelve texts; it never changes them.
    std::optional<DesignAnalysis> analysis;
    if (InsightRequested(insight) || SignalRequested(signal))
        analysis = AnalyseDesign(result.Design);
    if (json && insight.Analyse)
        WriteJsonWithAnalysis(std::cout, inputs, result, *analysis);
    else if (json)
        WriteJsonReport(std::cout, inputs, result);
    else
        WriteTextReport(std::cout, inputs, result);
    int status = 0;
    if (analysis) {
        if (!json && insight.Analyse) WriteAnalysisText(std::cout, *analysis);
        WriteDiagnostics(std::cerr, *analysis);
        // With standard values, a trim or a plan, the pictures, the netlist
        // and the report are of the board in the bill of materials.
        if (board && BoardDiffersFromDesign(board->Plan)) {
            const Board& b = board->Made;
            ShowBoard(*analysis, b.Nominal, b.Build.RStar, b.NominalRkr);
            insight.Board = b.Trim ? LabelsOfBoard(b.Nominal, b.Build.RStar, b.Trim->Trim.FixedOhms,
                                                   b.Trim->Trim.PotOhms)
                                   : LabelsOfBoard(b.Nominal, b.Build.RStar, b.NominalRkr, 0);
        }
        status = WriteInsightFiles(insight, inputs, *analysis, title, json ? nullptr : &std::cout,
                                   std::cerr);
        status = std::max(status,
                          WriteSignalSections(signal, *analysis, title, json, std::cout, std::cerr,
                                              board ? &board->Plan.PageSections : nullptr));
    }
    if (board)
        return std::max(
            status, WriteBuildSections(*board, inputs, result.Design, title, std::cout, std::cerr));
    return status;
}
