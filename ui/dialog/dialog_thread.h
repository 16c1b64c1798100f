// Per-thread state of the dialog layer: the font table and the code page of
// the texts, with the conversions between those texts and the platform's
// UTF-16.
//
//   TextToWide("0.01") == L"0.01"      TextFromWide(L"R1") == "R1"
#pragma once

#include <cstdint>
#include <string>

// One entry of the font table. Entry 1 is the dialog font that every
// template asks for.
struct DialogFont {
    std::wstring Face;
    uint16_t Points = 8;
    uint16_t Weight = 400;
    bool Italic = false;
    uint8_t Charset = 0;
};

inline constexpr int kDialogFontEntry = 1;

// A copy of the entry; the dialog font when the table has no such entry.
DialogFont DialogFontEntry(int index);

// Texts of the program (ANSI code page) to and from the platform's UTF-16.
std::wstring TextToWide(const std::string& text);
std::string TextFromWide(const std::wstring& text);
