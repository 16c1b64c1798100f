#include "output_files.h"

#include <cctype>

namespace velmora {

namespace {

bool EndsWithFolded(const std::string& name, const std::string& ending) {
    if (name.size() < ending.size()) return false;
    for (size_t k = 0; k < ending.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(name[name.size() - ending.size() + k])) !=
            ending[k])
            return false;
    return true;
}

// ".svg", ".html or .htm", ".cir, .sp or .net".
std::string Endings(const OutputKind& kind) {
    std::string s;
    size_t count = 0;
    while (count < 3 && kind.Extensions[count])
        ++count;
    for (size_t k = 0; k < count; ++k)
        s += (k == 0 ? "" : k + 1 == count ? " or " : ", ") + std::string(kind.Extensions[k]);
    return s;
}

}  // namespace

std::string CheckOutputName(const std::string& option, const std::string& name,
                            const OutputKind& kind) {
    const bool folder = !kind.Extensions[0];
    std::string give = folder ? "a folder name" : "a file name ending in " + Endings(kind);
    if (kind.StandardOutput) give += ", or - for standard output";
    const auto refuse = [&](const std::string& problem) {
        return option + " '" + name + "' " + problem + ": give " + give + ", e.g. " + kind.Example;
    };
    if (name.empty()) return refuse("is empty");
    if (folder || (kind.StandardOutput && name == "-")) return "";
    for (const char* ending : kind.Extensions)
        if (ending && EndsWithFolded(name, ending)) return "";
    return refuse("has another extension");
}

CLI::Option* AddOutputOption(CLI::App& app, const std::string& name, std::string& target,
                             const OutputKind& kind, const std::string& help) {
    return app
        .add_option_function<std::string>(
            name,
            [name, kind, &target](const std::string& text) {
                if (std::string error = CheckOutputName(name, text, kind); !error.empty())
                    throw CLI::ValidationError(error);
                target = text;
            },
            help)
        ->type_name(kind.Extensions[0] ? "FILE" + std::string(kind.Extensions[0]) : "FOLDER");
}

}  // namespace velmora
