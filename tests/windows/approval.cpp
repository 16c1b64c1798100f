#include "approval.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "wine_path.h"

namespace {

std::string ApprovedPath(const std::string& fileName) {
    return WinePath(std::string(VELMORA_APPROVED_DIR) + "/" + fileName);
}

std::string NextLine(std::istringstream& in) {
    std::string line;
    return std::getline(in, line) ? line : "(end of text)";
}

}  // namespace

testing::AssertionResult MatchesApproved(const std::string& actual, const std::string& fileName) {
    const std::string path = ApprovedPath(fileName);
    if (const char* approve = std::getenv("VELMORA_APPROVE"); approve && *approve) {
        std::ofstream(path, std::ios::binary) << actual;
        return testing::AssertionSuccess();
    }
    std::ostringstream file;
    file << std::ifstream(path, std::ios::binary).rdbuf();
    const std::string approved = file.str();
    if (actual == approved) return testing::AssertionSuccess();
    std::istringstream a(approved), b(actual);
    for (int line = 1;; ++line) {
        const std::string was = NextLine(a), is = NextLine(b);
        if (was != is || !a)
            return testing::AssertionFailure() << path << ", line " << line
                                               << "\n  approved: " << was << "\n  actual:   " << is;
    }
}

std::string Readable(const std::string& text) {
    std::string shown = "\"";
    for (size_t k = 0, run; k < text.size(); k += run) {
        run = text.find_first_not_of(text[k], k) - k;
        if (k + run > text.size()) run = text.size() - k;
        if (run > 8)
            shown += "<" + std::string(1, text[k]) + "*" + std::to_string(run) + ">";
        else
            shown.append(run, text[k]);
    }
    return shown + "\"";
}
