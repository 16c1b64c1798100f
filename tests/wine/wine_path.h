// A path the build wrote down (a Unix path on the build machine) as a program
// under Wine reaches it: through drive Z:, which Wine maps to the root.
//
//   WinePath("/work/build/velmora.exe") -> "Z:\work\build\velmora.exe"
//   WinePath("C:/temp/a.txt")           -> "C:\temp\a.txt"
#pragma once

#include <string>
#include <string_view>

inline std::string WinePath(std::string_view path) {
    std::string windows(path);
    for (char& c : windows)
        if (c == '/') c = '\\';
    return windows.starts_with('\\') ? "Z:" + windows : windows;
}
