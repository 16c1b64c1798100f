// Where the files under test are; set once from the command line by the
// test main:
//
//   velmora_e2e.exe --velmora=PATH --probe=PATH --cases=PATH --batch=PATH [gtest flags]
//
// --cases is window_cases.tsv (a name and the eight input texts per line);
// --batch is the native velmora-calc --batch output for the same inputs.
#pragma once

#include <string>

struct E2eOptions {
    std::wstring VelmoraExe;
    std::wstring ProbeDll;
    std::wstring CasesFile;
    std::wstring BatchFile;
};

const E2eOptions& Options();
