// The program's side of the console, the same on every platform: arguments
// as UTF-8 and standard streams that pass bytes through unchanged.
//
//   int main(int argc, char** argv) {
//       const ConsoleArguments args(argc, argv);   // "bödé.svg" stays UTF-8
//       app.parse(args.Count(), args.Values());
//   }
//
// On Windows the C runtime would hand over arguments in the ANSI code page
// (a name outside it arrives as '?') and turn every "\n" written to standard
// output into "\r\n"; elsewhere both are already as wanted.
#pragma once

#include <string>
#include <vector>

namespace velmora {

class ConsoleArguments {
public:
    // Also switches standard input, output and error to binary mode, before
    // anything is read or written.
    ConsoleArguments(int argc, char** argv);
    ConsoleArguments(const ConsoleArguments&) = delete;  // Values() points into it
    ConsoleArguments& operator=(const ConsoleArguments&) = delete;

    int Count() const { return static_cast<int>(Pointers_.size()) - 1; }
    char** Values() { return Pointers_.data(); }

private:
    std::vector<std::string> Texts_;
    std::vector<char*> Pointers_;  // into Texts_, ending in nullptr like argv
};

}  // namespace velmora
