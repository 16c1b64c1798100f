#include "program.h"

#include <fstream>

#include "text/quantity_text.h"

namespace velmora {

bool WriteTextFile(const std::string& utf8Name, const std::string& text) {
    const std::filesystem::path path = FilePath(utf8Name);
    std::error_code ignored;  // a folder that cannot be made fails the open below
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
    std::ofstream file(path, std::ios::binary);
    file << text;
    file.close();
    if (file) return true;
    // Not a half-written file left behind; a link or device stays as it was.
    if (std::filesystem::symlink_status(path, ignored).type() ==
        std::filesystem::file_type::regular)
        std::filesystem::remove(path, ignored);
    return false;
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
