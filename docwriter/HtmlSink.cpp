#include "docwriter/HtmlSink.h"

namespace {

constexpr const char* StyleSheet = R"(:root { color-scheme: light; }
body { font: 14px/1.45 "DejaVu Sans", "Segoe UI", Helvetica, Arial, sans-serif; color: #1d2329;
  margin: 2em auto; max-width: 96em; padding: 0 1.5em; }
h1 { font-size: 1.8em; margin: 0 0 .2em; }
h2 { font-size: 1.3em; margin: 1.8em 0 .6em; padding-bottom: .2em; border-bottom: 2px solid #3b6ea5; }
.subtitle { color: #56606b; margin-top: 0; }
a { color: #2a5d95; text-decoration: none; }
a:hover { text-decoration: underline; }
nav ol { padding-left: 1.4em; }
nav .indices { font: 12px/1.6 "DejaVu Sans Mono", Consolas, monospace; margin: .2em 0 .6em; }
nav .indices a { margin-right: .6em; white-space: nowrap; }
table { border-collapse: collapse; margin: .4em 0 1em; font-size: 13px; }
th, td { border: 1px solid #d3d9df; padding: .25em .5em; text-align: left; vertical-align: top; }
th { background: #e8eef4; }
tr.object td { background: #f4f7fa; border-top: 2px solid #aab6c2; }
tr.object td:nth-child(-n+3) { font-weight: 600; }
tr.sub td:nth-child(3) { padding-left: 1.6em; }
tr.object td:first-child, tr.sub td:nth-child(2) { white-space: nowrap;
  font-family: "DejaVu Sans Mono", Consolas, monospace; }
.mark { color: #a4262c; font-weight: 600; }
.comments { background: #f7f7f2; border-left: 3px solid #c9c39a; padding: .5em .8em; }
pre { background: #f4f6f8; border: 1px solid #d3d9df; padding: .6em .8em; overflow-x: auto;
  font: 12px/1.5 "DejaVu Sans Mono", Consolas, monospace; white-space: pre-wrap; }
@media print {
  @page { size: A4 landscape; margin: 12mm; }
  body { margin: 0; max-width: none; padding: 0; font-size: 10pt; }
  table { font-size: 8.5pt; }
  a { color: inherit; }
  nav .indices { display: none; }
  h2 { break-after: avoid; }
  tr { break-inside: avoid; }
  thead { display: table-header-group; }
}
)";

void AppendEscaped(std::string& out, const std::string& text) {
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out.push_back(c);
        }
    }
}

std::string Escaped(const std::string& text) {
    std::string out;
    AppendEscaped(out, text);
    return out;
}

const char* RowClass(RowKind kind) {
    switch (kind) {
        case RowKind::Object:
            return "<tr class=\"object\">";
        case RowKind::Subindex:
            return "<tr class=\"sub\">";
        default:
            return "<tr>";
    }
}

}  // namespace

void HtmlSink::Begin(const std::string& title, const std::string& subtitle) {
    m_out +=
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<meta name=\"generator\" content=\"Quillmark\">\n<title>";
    AppendEscaped(m_out, title);
    m_out += "</title>\n<style>\n";
    m_out += StyleSheet;
    m_out += "</style>\n</head>\n<body>\n<h1>";
    AppendEscaped(m_out, title);
    m_out += "</h1>\n<p class=\"subtitle\">";
    AppendEscaped(m_out, subtitle);
    m_out += "</p>\n";
}

void HtmlSink::Contents(const std::vector<TocEntry>& entries) {
    m_out += "<nav id=\"contents\">\n<h2>Contents</h2>\n<ol>\n";
    for (const TocEntry& entry : entries) {
        m_out += "<li><a href=\"#" + Escaped(entry.id) + "\">" + Escaped(entry.text) + "</a>";
        if (!entry.indexIds.empty()) {
            m_out += "\n<p class=\"indices\">";
            for (const std::string& id : entry.indexIds) {
                m_out += "<a href=\"#" + Escaped(id) + "\">" + Escaped(id) + "</a> ";
            }
            m_out.back() = '<';
            m_out += "/p>\n";
        }
        m_out += "</li>\n";
    }
    m_out += "</ol>\n</nav>\n";
}

void HtmlSink::Heading(const std::string& id, const std::string& text) {
    m_out += "<h2 id=\"" + Escaped(id) + "\">" + Escaped(text) + "</h2>\n";
}

void HtmlSink::Paragraph(const std::string& text) {
    m_out += "<p>";
    AppendEscaped(m_out, text);
    m_out += "</p>\n";
}

void HtmlSink::Lines(const std::vector<std::string>& lines) {
    m_out += "<p class=\"comments\">";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        AppendEscaped(m_out, lines[i]);
        m_out += i + 1 < lines.size() ? "<br>\n" : "";
    }
    m_out += "</p>\n";
}

void HtmlSink::Preformatted(const std::vector<std::string>& lines) {
    m_out += "<pre>";
    for (const std::string& line : lines) {
        AppendEscaped(m_out, line);
        m_out += '\n';
    }
    m_out += "</pre>\n";
}

void HtmlSink::BeginTable(const std::vector<std::string>& headers) {
    m_out += "<table>\n<thead><tr>";
    for (const std::string& header : headers) {
        m_out += "<th>" + Escaped(header) + "</th>";
    }
    m_out += "</tr></thead>\n<tbody>\n";
}

void HtmlSink::Row(const std::vector<DocCell>& cells, RowKind kind) {
    m_out += RowClass(kind);
    for (const DocCell& cell : cells) {
        m_out += "<td";
        if (!cell.id.empty()) {
            m_out += " id=\"" + Escaped(cell.id) + '"';
        }
        if (cell.mark) {
            m_out += " class=\"mark\"";
        }
        m_out += '>';
        if (!cell.link.empty()) {
            m_out += "<a href=\"#" + Escaped(cell.link) + "\">";
        }
        AppendEscaped(m_out, cell.text);
        if (!cell.link.empty()) {
            m_out += "</a>";
        }
        m_out += "</td>";
    }
    m_out += "</tr>\n";
}

void HtmlSink::EndTable() {
    m_out += "</tbody>\n</table>\n";
}

std::string HtmlSink::End() {
    m_out += "</body>\n</html>\n";
    return std::move(m_out);
}
