#include "ui/app/FileFilter.h"

#include <vector>

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitAtBars(const std::string& filter) {
    std::vector<std::string> parts;
    std::string current;
    for (const char c : filter) {
        if (c == '|') {
            parts.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    parts.push_back(current);
    return parts;
}

// "Project Files (*.prj)" -> "Project Files": Qt would read the parentheses as the pattern list.
std::string DescriptionWithoutPatterns(const std::string& description) {
    std::string text = Trimmed(description);
    if (!text.empty() && text.back() == ')') {
        const auto open = text.rfind('(');
        if (open != std::string::npos) {
            text = Trimmed(text.substr(0, open));
        }
    }
    return text;
}

std::string PatternList(const std::string& pattern) {
    std::string list;
    std::string current;
    auto flush = [&] {
        const std::string one = Trimmed(current);
        if (!one.empty()) {
            list += (list.empty() ? "" : " ") + one;
        }
        current.clear();
    };
    for (const char c : pattern) {
        if (c == ';' || c == ' ') {
            flush();
        } else {
            current.push_back(c);
        }
    }
    flush();
    return list;
}

}  // namespace

std::string ToQtFilter(const std::string& filter) {
    const std::vector<std::string> parts = SplitAtBars(filter);
    std::string result;
    // Pairs of description and pattern; the list ends at the first empty description (the "||").
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (Trimmed(parts[i]).empty()) {
            break;
        }
        const std::string patterns = PatternList(parts[i + 1]);
        std::string description = DescriptionWithoutPatterns(parts[i]);
        if (description.empty()) {
            description = patterns;
        }
        result +=
            (result.empty() ? "" : ";;") + description + " (" + (patterns.empty() ? "*" : patterns) + ")";
    }
    return result;
}
