// What every part of velmora-calc says the same way: its name, its version
// and how it writes a file.
//
//   kProgram -> "velmora-calc"     kProgramVersion -> "velmora-calc 1.03"
//   WriteTextFile("out/bödé.svg", svg) -> false when the file cannot be made
//   or a byte of it cannot be written; "out" is made first when missing
//   FilePath("plots/bödé.svg") -> the file of that UTF-8 name
//   FileInFolder("plots", "a.svg") -> "plots/a.svg"
//   Fmt("%.2f", 0.125) -> "0.12"      (one number through printf's format)
//   Fmt("%+.1f", -NaN) -> "+nan"      (a NaN carries no sign)
#pragma once

#include <filesystem>
#include <string>

#include "velmora_version.h"

namespace velmora {

inline constexpr const char* kProgram = "velmora-calc";
inline constexpr const char* kProgramVersion = "velmora-calc " VELMORA_VERSION_TEXT;

// The first line of the design report.
inline constexpr const char* kReportHeading =
    "Velmora Designer " VELMORA_VERSION_TEXT ": fourth-order low-pass design";

// The one writer of every velmora-calc output. Takes the UTF-8 name as
// given on the command line, makes the folders on the way, writes the bytes
// as they are (no line-end translation) and closes the file, so that a
// failed flush counts too; a file it could not finish is removed.
bool WriteTextFile(const std::string& utf8Name, const std::string& text);
// A path made from a std::string elsewhere would read the name in the ANSI
// code page on Windows: give the writer the UTF-8 name.
bool WriteTextFile(const std::filesystem::path&, const std::string&) = delete;

// File names on the command line and in messages are UTF-8 everywhere. A
// path made straight from a std::string would read it in the ANSI code page
// on Windows instead.
std::filesystem::path FilePath(const std::string& utf8);

// Joins as std::filesystem's "/" does on POSIX, with "/" on Windows too
// (which takes it), so that messages name a file alike on both.
std::string FileInFolder(const std::string& folder, const std::string& name);

std::string Fmt(const char* format, double value);

}  // namespace velmora
