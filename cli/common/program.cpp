#include "program.h"

#include <fstream>

#include "text/quantity_text.h"

namespace velmora {

bool WriteTextFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    file.close();
    return static_cast<bool>(file);
}

std::filesystem::path FilePath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string FileInFolder(const std::string& folder, const std::string& name) {
#ifdef _WIN32
    const bool separated = folder.ends_with('/') || folder.ends_with('\\');
#else
    const bool separated = folder.ends_with('/');
#endif
    return folder.empty() || separated ? folder + name : folder + "/" + name;
}

std::string Fmt(const char* format, double value) {
    return PrintfNumber(format, value);
}

}  // namespace velmora
