// The e2e tests' main. They expect the display without a window manager
// that scripts/wine-tests.sh prepares, where Wine draws the frames itself.
#include <gtest/gtest.h>

#include <string_view>

#include "velmora_session.h"

namespace {

E2eOptions Given;

// Paths arrive as the build system knows them; under Wine a Unix path is
// reached through drive Z:.
std::wstring WindowsPath(std::string_view path) {
    std::wstring wide(path.begin(), path.end());
    if (wide.starts_with(L"/")) wide = L"Z:" + wide;
    for (auto& c : wide)
        if (c == L'/') c = L'\\';
    return wide;
}

}  // namespace

const E2eOptions& Options() {
    return Given;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const std::pair<std::string_view, std::wstring*> flags[] = {
        {"--velmora=", &Given.VelmoraExe},
        {"--cases=", &Given.CasesFile},
        {"--batch=", &Given.BatchFile},
    };
    for (int k = 1; k < argc; ++k)
        for (const auto& [prefix, target] : flags)
            if (std::string_view(argv[k]).starts_with(prefix))
                *target = WindowsPath(std::string_view(argv[k]).substr(prefix.size()));
    return RUN_ALL_TESTS();
}
