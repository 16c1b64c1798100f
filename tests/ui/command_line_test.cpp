#include <gtest/gtest.h>

#include "command_line.h"

namespace {

struct Row {
    const wchar_t* CommandLine;
    const wchar_t* Arguments;
};

const Row kRows[] = {
    {L"velmora.exe", L""},
    {L"velmora.exe -x", L"-x"},
    {L"velmora.exe \t  a b ", L"a b "},
    {L"\"C:\\My Apps\\velmora.exe\" -x y", L"-x y"},
    {L"\"C:\\My Apps\\velmora.exe\"", L""},
    {L"\"C:\\My Apps\\velmora.exe\"-x", L"-x"},  // the closing quote ends the name
    {L"\"unclosed name with blanks", L""},
    {L"", L""},
    {L"   leading", L"leading"},
};

TEST(CommandLine, ArgumentsFollowTheProgramName) {
    for (const Row& row : kRows)
        EXPECT_EQ(CommandLineArguments(row.CommandLine), row.Arguments)
            << "from: " << row.CommandLine;
}

}  // namespace
