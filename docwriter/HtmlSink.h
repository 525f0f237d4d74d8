#pragma once

#include "docwriter/DocumentationSink.h"

// One self-contained HTML page: the style sheet inline, no script, nothing loaded from elsewhere, a
// print layout of its own. Every text is escaped.
class HtmlSink : public DocumentationSink {
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
