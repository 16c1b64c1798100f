#include "console.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <cstdio>
#endif

namespace velmora {

namespace {

#ifdef _WIN32
std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back();  // the terminator WideCharToMultiByte counted
    return utf8;
}
#endif

}  // namespace

ConsoleArguments::ConsoleArguments(int argc, char** argv) {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // The runtime's own split is only the fallback: it reads the ANSI code
    // page, and it may have expanded wildcards.
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int k = 0; k < count; ++k)
            Texts_.push_back(Utf8(wide[k]));
        LocalFree(wide);
    } else {
        Texts_.assign(argv, argv + argc);
    }
#else
    Texts_.assign(argv, argv + argc);
#endif
    for (std::string& text : Texts_)
        Pointers_.push_back(text.data());
    Pointers_.push_back(nullptr);
}

}  // namespace velmora
