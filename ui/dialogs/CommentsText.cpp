#include "ui/dialogs/CommentsText.h"

#include <algorithm>
#include <cstdio>

std::string CommentsText(const std::vector<CommentLine>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += '\n';
        }
        text += lines[i].text;
    }
    return text;
}

std::vector<CommentLine> CommentLinesFromText(const std::string& text) {
    std::vector<CommentLine> lines;
    if (text.empty()) {
        return lines;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back({std::move(line), static_cast<std::uint8_t>(lines.size())});
        if (end == std::string::npos) {
            return lines;
        }
        start = end + 1;
    }
}

std::optional<std::string> CommentsLineProblem(const std::string& text) {
    const std::size_t count = text.empty() ? 0 : std::count(text.begin(), text.end(), '\n') + 1u;
    if (count <= MaxCommentLines) {
        return std::nullopt;
    }
    char prompt[160];
    std::snprintf(prompt, sizeof prompt,
                  "The comments hold %zu lines; at most %zu lines can be kept. Please join or remove "
                  "some lines.",
                  count, MaxCommentLines);
    return prompt;
}

TextCut OverflowCut(int length, int cursor, int limit) {
    const int excess = length - limit;
    if (excess <= 0) {
        return {};
    }
    const int position = std::clamp(cursor - excess, 0, limit);
    return {position, excess};
}
