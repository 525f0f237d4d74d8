#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/CommentLine.h"

// The Comments dialog's text box: one comment line per text line.

// The box takes 256 characters, or as many as the text it opens with when that is longer.
constexpr int CommentsCharLimit = 256;
// The EDS and the project file count the lines in 8 bits.
constexpr std::size_t MaxCommentLines = 255;

// The text the box opens with: the lines joined by line feeds.
std::string CommentsText(const std::vector<CommentLine>& lines);
// The lines of the box's text, numbered from 0. An empty box holds no line.
std::vector<CommentLine> CommentLinesFromText(const std::string& text);
// The prompt when the text holds more lines than can be kept; nothing when it fits.
std::optional<std::string> CommentsLineProblem(const std::string& text);

// An edit that took the text past its limit keeps only as much of what it inserted as fits: the
// characters to remove are those just before the cursor.
struct TextCut {
    int position = 0;
    int count = 0;
};
TextCut OverflowCut(int length, int cursor, int limit);
