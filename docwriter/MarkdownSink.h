#pragma once

#include "docwriter/DocumentationSink.h"

// GitHub-flavoured Markdown: headings, pipe tables, a fenced block for the check's lines. Every text
// is escaped so that no name or value turns into markup.
class MarkdownSink : public DocumentationSink {
public:
    void Begin(const std::string& title, const std::string& subtitle) override;
    void Contents(const std::vector<TocEntry>& entries) override;
    void Heading(const std::string& id, const std::string& text) override;
    void Paragraph(const std::string& text) override;
    void Lines(const std::vector<std::string>& lines) override;
    void Preformatted(const std::vector<std::string>& lines) override;
    void BeginTable(const std::vector<std::string>& headers) override;
    void Row(const std::vector<DocCell>& cells, RowKind kind) override;
    void EndTable() override;
    std::string End() override;

private:
    std::string m_out;
};

// The anchor GitHub gives a heading of plain words: lower case, blanks as hyphens, no punctuation.
std::string MarkdownSlug(const std::string& heading);
