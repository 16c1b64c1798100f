#include <gtest/gtest.h>

#include <windows.h>

#include <string_view>

#include "e2e_options.h"

namespace {

E2eOptions Given;

// Paths arrive as the build system knows them; under Wine a Unix path is
// reached through drive Z:.
std::wstring WindowsPath(std::string_view path) {
    std::wstring wide(path.begin(), path.end());
    if (!wide.empty() && wide[0] == L'/') wide = L"Z:" + wide;
    for (auto& c : wide)
        if (c == L'/') c = L'\\';
    return wide;
}

// Without a window manager (Xvfb), Wine waits two seconds for every managed
// window it hides to be withdrawn, and nobody draws the frame with its close
// box. Unmanaged, Wine draws the frame itself and closes at once. The value
// is set for this run only; a prefix that already has one keeps it.
class WineUnmanagedWindows {
public:
    WineUnmanagedWindows() {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                            nullptr, &key_, nullptr) != ERROR_SUCCESS)
            return;
        if (RegQueryValueExW(key_, L"Managed", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
            return;
        const wchar_t no[] = L"N";
        added_ = RegSetValueExW(key_, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(no),
                                sizeof no) == ERROR_SUCCESS;
    }
    ~WineUnmanagedWindows() {
        if (added_) RegDeleteValueW(key_, L"Managed");
        if (key_) RegCloseKey(key_);
    }

private:
    static constexpr const wchar_t* kKey = L"Software\\Wine\\X11 Driver";
    HKEY key_ = nullptr;
    bool added_ = false;
};

}  // namespace

const E2eOptions& Options() {
    return Given;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const std::pair<std::string_view, std::wstring*> flags[] = {
        {"--velmora=", &Given.VelmoraExe},
        {"--probe=", &Given.ProbeDll},
        {"--cases=", &Given.CasesFile},
        {"--batch=", &Given.BatchFile},
    };
    for (int k = 1; k < argc; ++k) {
        const std::string_view argument = argv[k];
        for (const auto& [prefix, target] : flags)
            if (argument.starts_with(prefix)) *target = WindowsPath(argument.substr(prefix.size()));
    }
    WineUnmanagedWindows unmanaged;
    return RUN_ALL_TESTS();
}
