#include "xml_check.h"

#include <cctype>
#include <vector>

namespace {

struct Reader {
    std::string_view Text;
    size_t At = 0;
    std::string Problem;

    bool Done() const { return At >= Text.size(); }
    bool Starts(std::string_view s) const { return Text.substr(At, s.size()) == s; }
    int Line() const {
        int line = 1;
        for (size_t k = 0; k < At && k < Text.size(); ++k)
            line += Text[k] == '\n';
        return line;
    }
    bool Fail(const std::string& what) {
        if (Problem.empty()) Problem = "line " + std::to_string(Line()) + ": " + what;
        return false;
    }
    void SkipSpace() {
        while (!Done() && std::isspace(static_cast<unsigned char>(Text[At])))
            ++At;
    }
    std::string Name() {
        const size_t start = At;
        while (!Done() && (std::isalnum(static_cast<unsigned char>(Text[At])) ||
                           std::string_view(":_-.").find(Text[At]) != std::string_view::npos))
            ++At;
        return std::string(Text.substr(start, At - start));
    }
    // Skips to just after `end`; false when it never comes.
    bool SkipPast(std::string_view end) {
        const size_t found = Text.find(end, At);
        if (found == std::string_view::npos) return Fail("unterminated " + std::string(end));
        At = found + end.size();
        return true;
    }
    // An entity reference at '&'.
    bool Entity() {
        const size_t semi = Text.find(';', At);
        if (semi == std::string_view::npos || semi - At > 10) return Fail("bare '&'");
        const std::string_view name = Text.substr(At + 1, semi - At - 1);
        const bool named =
            name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos";
        const bool numeric = name.size() > 1 && name[0] == '#';
        if (!named && !numeric) return Fail("unknown entity &" + std::string(name) + ";");
        At = semi + 1;
        return true;
    }
};

bool Attributes(Reader& r, bool& selfClosing) {
    for (;;) {
        r.SkipSpace();
        if (r.Done()) return r.Fail("unterminated tag");
        if (r.Starts("/>")) return selfClosing = true, r.At += 2, true;
        if (r.Starts(">")) return selfClosing = false, r.At += 1, true;
        if (r.Name().empty()) return r.Fail("bad attribute name");
        r.SkipSpace();
        if (!r.Starts("=")) return r.Fail("attribute without a value");
        ++r.At;
        r.SkipSpace();
        if (r.Done() || (r.Text[r.At] != '"' && r.Text[r.At] != '\''))
            return r.Fail("unquoted attribute value");
        const char quote = r.Text[r.At++];
        while (!r.Done() && r.Text[r.At] != quote) {
            if (r.Text[r.At] == '<') return r.Fail("'<' in an attribute value");
            if (r.Text[r.At] == '&') {
                if (!r.Entity()) return false;
            } else {
                ++r.At;
            }
        }
        if (r.Done()) return r.Fail("unterminated attribute value");
        ++r.At;
    }
}

}  // namespace

std::string XmlProblem(std::string_view text) {
    Reader r{text, 0, ""};
    std::vector<std::string> open;
    int roots = 0;
    while (!r.Done()) {
        if (r.Starts("<?")) {
            if (!r.SkipPast("?>")) break;
        } else if (r.Starts("<!--")) {
            if (!r.SkipPast("-->")) break;
        } else if (r.Starts("<!DOCTYPE")) {
            if (!open.empty() || roots) {
                r.Fail("DOCTYPE inside the document");
                break;
            }
            if (!r.SkipPast(">")) break;
        } else if (r.Starts("</")) {
            r.At += 2;
            const std::string name = r.Name();
            r.SkipSpace();
            if (!r.Starts(">")) {
                r.Fail("bad closing tag </" + name);
                break;
            }
            ++r.At;
            if (open.empty() || open.back() != name) {
                r.Fail("</" + name + "> closes " +
                       (open.empty() ? "nothing" : "<" + open.back() + ">"));
                break;
            }
            open.pop_back();
        } else if (r.Starts("<")) {
            ++r.At;
            const std::string name = r.Name();
            if (name.empty()) {
                r.Fail("'<' without a tag name");
                break;
            }
            if (open.empty() && ++roots > 1) {
                r.Fail("a second root element <" + name + ">");
                break;
            }
            bool selfClosing = false;
            if (!Attributes(r, selfClosing)) break;
            if (!selfClosing) open.push_back(name);
        } else if (r.Text[r.At] == '&') {
            if (!r.Entity()) break;
        } else {
            const bool space = std::isspace(static_cast<unsigned char>(r.Text[r.At]));
            if (open.empty() && !space) {
                r.Fail("text outside the root element");
                break;
            }
            ++r.At;
        }
    }
    if (!r.Problem.empty()) return r.Problem;
    if (!open.empty()) return "unclosed <" + open.back() + ">";
    if (roots != 1) return "no root element";
    return "";
}
