#include "docwriter/MarkdownSink.h"

#include <algorithm>
#include <cstring>

namespace {

// Characters that start markup anywhere in a line; a backslash makes each of them literal. '$' opens
// math on GitHub.
bool IsInlineSpecial(char c) {
    return std::strchr("\\`*_[]<>|~&$", c) != nullptr && c != '\0';
}

void AppendEscaped(std::string& out, const std::string& text) {
    for (const char c : text) {
        if (IsInlineSpecial(c)) {
            out.push_back('\\');
        }
        out.push_back(c);
    }
}

// A line of a paragraph must not begin a heading, a list, a quote or a code block.
void AppendLine(std::string& out, const std::string& text) {
    const auto start = text.find_first_not_of(' ');
    if (start == std::string::npos) {
        return;
    }
    std::string line = text.substr(start);
    if (std::strchr("#-+=", line[0]) != nullptr) {
        out.push_back('\\');
    } else {
        const auto digits = line.find_first_not_of("0123456789");
        if (digits > 0 && digits != std::string::npos && (line[digits] == '.' || line[digits] == ')')) {
            line.insert(digits, 1, '\\');
            out += line.substr(0, digits + 1);
            line.erase(0, digits + 1);
        }
    }
    AppendEscaped(out, line);
}

}  // namespace

std::string MarkdownSlug(const std::string& heading) {
    std::string slug;
    for (const char c : heading) {
        if (c >= 'A' && c <= 'Z') {
            slug.push_back(static_cast<char>(c - 'A' + 'a'));
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_') {
            slug.push_back(c);
        } else if (c == ' ') {
            slug.push_back('-');
        }
    }
    return slug;
}

void MarkdownSink::Begin(const std::string& title, const std::string& subtitle) {
    m_out += "# ";
    AppendLine(m_out, title);
    m_out += "\n\n";
    AppendLine(m_out, subtitle);
    m_out += "\n\n";
}

void MarkdownSink::Contents(const std::vector<TocEntry>& entries) {
    m_out += "## Contents\n\n";
    for (const TocEntry& entry : entries) {
        m_out += "- [" + entry.text + "](#" + MarkdownSlug(entry.text) + ")\n";
    }
    m_out += '\n';
}

void MarkdownSink::Heading(const std::string&, const std::string& text) {
    m_out += "## " + text + "\n\n";
}

void MarkdownSink::Paragraph(const std::string& text) {
    AppendLine(m_out, text);
    m_out += "\n\n";
}

void MarkdownSink::Lines(const std::vector<std::string>& lines) {
    // A backslash at the end of a line breaks it without ending the paragraph.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        AppendLine(m_out, lines[i]);
        m_out += i + 1 < lines.size() ? "\\\n" : "\n";
    }
    m_out += '\n';
}

void MarkdownSink::Preformatted(const std::vector<std::string>& lines) {
    // The fence is longer than any run of backticks inside, so no line can close it.
    std::size_t longest = 0;
    for (const std::string& line : lines) {
        std::size_t run = 0;
        for (const char c : line) {
            run = c == '`' ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    const std::string fence(std::max<std::size_t>(3, longest + 1), '`');
    m_out += fence + "text\n";
    for (const std::string& line : lines) {
        m_out += line + '\n';
    }
    m_out += fence + "\n\n";
}

void MarkdownSink::BeginTable(const std::vector<std::string>& headers) {
    std::string rule = "|";
    m_out += '|';
    for (const std::string& header : headers) {
        m_out += ' ' + header + " |";
        rule += " --- |";
    }
    m_out += '\n' + rule + '\n';
}

void MarkdownSink::Row(const std::vector<DocCell>& cells, RowKind) {
    m_out += '|';
    for (const DocCell& cell : cells) {
        m_out += ' ';
        const bool strong = cell.mark && !cell.text.empty();
        if (strong) {
            m_out += "**";
        }
        AppendEscaped(m_out, cell.text);
        if (strong) {
            m_out += "**";
        }
        m_out += cell.text.empty() ? "|" : " |";
    }
    m_out += '\n';
}

void MarkdownSink::EndTable() {
    m_out += '\n';
}

std::string MarkdownSink::End() {
    // One line end at the end of the file, not two.
    if (m_out.size() >= 2 && m_out.compare(m_out.size() - 2, 2, "\n\n") == 0) {
        m_out.pop_back();
    }
    return std::move(m_out);
}
