// velmora-calc options that change the parts rather than report on them:
// op-amp compensation and the search for the best standard-value build.
//
//   velmora-calc --preset butterworth --gbw 100kHz --compensate
//   velmora-calc --preset cheb05 --fsf 2500 --best-build 3 --mask f3db=3%,peak=0.5dB
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace velmora {

struct SearchPlan {
    bool Compensate = false;    // --compensate, with --gbw
    int BestBuilds = 0;         // --best-build N: candidates shown, 0 none
    std::string BestBuildJson;  // --best-build-json FILE, "-" standard output
};

// How many candidates --best-build may show side by side.
inline constexpr int kMaxBestBuilds = 8;

void AddSearchOptions(CLI::App& app, SearchPlan& plan);

bool SearchRequested(const SearchPlan& plan);

// A usage message, or "" when the options fit together.
std::string CheckSearchPlan(const SearchPlan& plan, bool gbwGiven, bool maskGiven);

}  // namespace velmora
