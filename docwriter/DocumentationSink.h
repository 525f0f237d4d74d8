#pragma once

#include <string>
#include <string_view>
#include <vector>

// One cell of a table. Texts are UTF-8 and not escaped; the sink escapes them for its format.
struct DocCell {
    DocCell() = default;
    DocCell(const char* plain) : text(plain) {}
    DocCell(std::string plain) : text(std::move(plain)) {}
    DocCell(std::string cellText, std::string anchor, std::string target = "", bool marked = false)
        : text(std::move(cellText)), id(std::move(anchor)), link(std::move(target)), mark(marked) {}

    std::string text;
    std::string id;     // the anchor the cell defines ("0x1018"), or ""
    std::string link;   // the anchor the cell links to, or ""
    bool mark = false;  // stands out: a missing partner, a dummy mapping, an unknown object
};

// A line of the table of contents: a section, or an area with the anchors of its indices.
struct TocEntry {
    std::string id;
    std::string text;
    std::vector<std::string> indexIds;
};

// The kinds of row a table has; the HTML page styles them apart.
enum class RowKind { Plain, Object, Subindex, Group };

// What the writer says, in order; one sink per output format. Heading ids are plain ASCII words.
class DocumentationSink {
public:
    virtual ~DocumentationSink() = default;

    virtual void Begin(const std::string& title, const std::string& subtitle) = 0;
    virtual void Contents(const std::vector<TocEntry>& entries) = 0;
    virtual void Heading(const std::string& id, const std::string& text) = 0;
    virtual void Paragraph(const std::string& text) = 0;
    // Lines kept as lines (the comments of the file).
    virtual void Lines(const std::vector<std::string>& lines) = 0;
    // Lines shown exactly, in a fixed-width font (the check's own output).
    virtual void Preformatted(const std::vector<std::string>& lines) = 0;
    virtual void BeginTable(const std::vector<std::string>& headers) = 0;
    virtual void Row(const std::vector<DocCell>& cells, RowKind kind) = 0;
    virtual void EndTable() = 0;
    virtual std::string End() = 0;
};

// Text of the project's characters fit for any output: line breaks and tabs become blanks, other
// control characters U+FFFD, so neither format can be broken by a name or a value.
std::string CleanText(std::string_view utf8);
