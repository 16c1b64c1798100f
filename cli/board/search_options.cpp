#include "search_options.h"

#include <string>

#include "common/output_files.h"
#include "common/quantity_options.h"

namespace velmora {

void AddSearchOptions(CLI::App& app, SearchPlan& plan) {
    const char* group = "From design to board";
    app.add_flag("--compensate", plan.Compensate,
                 "with --gbw: solve R1, R2 = R3, R4 and K again so that the pole pairs with that "
                 "op-amp are the target's; prints what is left and the least GBW for which "
                 "that works")
        ->group(group);
    AddQuantityOption(
        app, "--best-build", Count("a number of candidates", 1, kMaxBestBuilds, "3"),
        [&plan](long double n) { plan.BestBuilds = static_cast<int>(n); },
        "search the roots of the design equation, capacitors (--cap-series, default "
        "E6, 1 nF to 1 uF), resistor series (--series, default E24, E48 and E96; "
        "100 ohm to 1 Mohm) and R*/RK-R pairs for the highest yield under --mask (after the "
        "gain trim with --trim) with "
        "--tol-r, --tol-c and --distribution, ties to the smaller worst f0/Q error; "
        "shows the best N (1 to " +
            std::to_string(kMaxBestBuilds) +
            "). Bounded at 98,000 Monte Carlo trials: well under a second")
        ->group(group);
    AddOutputOption(app, "--best-build-json", plan.BestBuildJson, kJsonFile,
                    "the candidates of --best-build as JSON to a file ('-': stdout)")
        ->group(group);
}

bool SearchRequested(const SearchPlan& plan) {
    return plan.Compensate || plan.BestBuilds != 0 || !plan.BestBuildJson.empty();
}

std::string CheckSearchPlan(const SearchPlan& plan, bool gbwGiven, bool maskGiven) {
    if (plan.Compensate && !gbwGiven) return "--compensate goes with --gbw";
    if (plan.BestBuilds < 0 || plan.BestBuilds > kMaxBestBuilds)
        return "--best-build takes 1 to " + std::to_string(kMaxBestBuilds) + " candidates";
    if (!plan.BestBuildJson.empty() && plan.BestBuilds == 0)
        return "--best-build-json goes with --best-build N";
    if (plan.BestBuilds > 0 && !maskGiven)
        return "--best-build ranks by yield: give the limits with --mask";
    return "";
}

}  // namespace velmora
