// The arguments part of a process command line, as WinMain receives it.
//
//   CommandLineArguments(L"\"C:\\My Apps\\velmora.exe\"  -x y") == L"-x y"
//   CommandLineArguments(L"velmora.exe") == L""
#pragma once

#include <string_view>

// Skips the program name (quoted, or up to the first blank or tab) and the
// blanks and tabs after it.
std::wstring_view CommandLineArguments(std::wstring_view commandLine);
