#include "docwriter/DocumentationWriter.h"

#include <algorithm>
#include <cstdio>

#include "docwriter/DocumentationParts.h"
#include "docwriter/HtmlSink.h"
#include "docwriter/MarkdownSink.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace {

std::string LowerExtension(const std::string& path) {
    const std::string name = FileNamePart(path);
    const auto dot = name.rfind('.');
    std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
    for (char& c : extension) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return extension;
}

std::string Title(const DocumentationParts& parts) {
    const DocumentationSource& s = parts.Source();
    if (!s.deviceInfo.ProductName.empty()) {
        return parts.Text(s.deviceInfo.ProductName);
    }
    if (!s.fileInfo.FileName.empty()) {
        return parts.Text(s.fileInfo.FileName);
    }
    return parts.Text(s.sourceName);
}

std::string Subtitle(const DocumentationParts& parts) {
    const DocumentationSource& s = parts.Source();
    std::string subtitle = "Object dictionary";
    if (!s.deviceInfo.VendorName.empty()) {
        subtitle += " of a device by " + parts.Text(s.deviceInfo.VendorName);
    }
    return subtitle + ", documented by Quillmark from " + parts.Text(s.sourceName);
}

std::vector<TocEntry> Contents(const DocumentationSource& source, bool comments, bool pdos) {
    std::vector<TocEntry> entries{{"device", "Device", {}}, {"file", "File", {}}};
    if (comments) {
        entries.push_back({"comments", "Comments", {}});
    }
    std::vector<TocEntry> areas;
    for (const DictionaryArea& area : DictionaryAreas) {
        areas.push_back({area.id, area.title, {}});
    }
    std::uint16_t previous = 0;
    for (std::uint16_t position = 0; position < source.dictionary.GetIndexCount(); ++position) {
        const std::uint16_t index = source.dictionary.GetIndexAt(position)->index;
        // An index held twice gets one anchor, on its first row.
        if (position == 0 || index != previous) {
            areas[static_cast<std::size_t>(AreaOf(index))].indexIds.push_back(HexText(index, 4));
        }
        previous = index;
    }
    for (TocEntry& area : areas) {
        if (!area.indexIds.empty()) {
            entries.push_back(std::move(area));
        }
    }
    if (pdos) {
        entries.push_back({"pdos", "PDO overview", {}});
    }
    entries.push_back({"check", "Check summary", {}});
    entries.push_back({"findings", "Appendix: check findings", {}});
    return entries;
}

void WriteCheckSummary(const DocumentationParts& parts) {
    const DocumentationSource& s = parts.Source();
    DocumentationSink& sink = parts.Sink();
    const FindingCounts counts = CountFindings(s.findings);
    sink.Heading("check", "Check summary");
    if (s.findings.empty()) {
        sink.Paragraph("The check finds nothing to report.");
    } else {
        sink.BeginTable({"Severity", "Findings"});
        sink.Row({{"error"}, {std::to_string(counts.errors)}}, RowKind::Plain);
        sink.Row({{"warning"}, {std::to_string(counts.warnings)}}, RowKind::Plain);
        sink.EndTable();
        sink.Paragraph("Each finding is listed in the appendix, as the check command prints it.");
    }
    sink.Heading("findings", "Appendix: check findings");
    std::vector<std::string> lines;
    lines.reserve(s.findings.size() + 1);
    for (const Finding& finding : s.findings) {
        lines.push_back(parts.Text(FindingLine(s.sourceName, finding)));
    }
    lines.push_back(parts.Text(FindingCountLine(s.sourceName, counts)));
    sink.Preformatted(lines);
}

}  // namespace

const DictionaryArea DictionaryAreas[DictionaryAreaCount] = {
    {"communication", "Communication area",
     "0x1000\xE2\x80\x93"
     "0x1FFF"},
    {"manufacturer", "Manufacturer area",
     "0x2000\xE2\x80\x93"
     "0x5FFF"},
    {"profile", "Device profile area",
     "0x6000\xE2\x80\x93"
     "0x9FFF"},
    {"other", "Other indices", "below 0x1000 and from 0xA000"},
};

int AreaOf(std::uint16_t index) {
    if (index >= 0x1000 && index <= 0x1FFF) {
        return 0;
    }
    if (index >= 0x2000 && index <= 0x5FFF) {
        return 1;
    }
    if (index >= 0x6000 && index <= 0x9FFF) {
        return 2;
    }
    return 3;
}

std::string HexText(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(value));
    return text;
}

std::string DocumentationParts::Text(const std::string& raw) const {
    return CleanText(TextToUtf8(raw, m_source.encoding));
}

std::string CleanText(std::string_view utf8) {
    std::string text;
    text.reserve(utf8.size());
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n' || c == '\r' || c == '\t') {
            text.push_back(' ');
        } else if (byte < 0x20 || byte == 0x7F) {
            text += "\xEF\xBF\xBD";
        } else {
            text.push_back(c);
        }
    }
    return text;
}

std::optional<DocumentationFormat> DocumentationFormatFor(const std::string& path) {
    const std::string extension = LowerExtension(path);
    if (extension == "md" || extension == "markdown") {
        return DocumentationFormat::Markdown;
    }
    if (extension == "html" || extension == "htm") {
        return DocumentationFormat::Html;
    }
    return std::nullopt;
}

std::string WriteDocumentation(const DocumentationSource& source, DocumentationFormat format) {
    MarkdownSink markdown;
    HtmlSink html;
    DocumentationSink& sink = format == DocumentationFormat::Markdown
                                  ? static_cast<DocumentationSink&>(markdown)
                                  : static_cast<DocumentationSink&>(html);
    const DocumentationParts parts(source, sink);
    const bool comments = !source.dictionary.CommentLines().empty();
    const bool pdos = HasPdos(source.dictionary);

    sink.Begin(Title(parts), Subtitle(parts));
    const std::vector<TocEntry> contents = Contents(source, comments, pdos);
    sink.Contents(contents);
    WriteDeviceSection(parts);
    WriteFileSection(parts);
    if (comments) {
        WriteCommentsSection(parts);
    }
    for (int area = 0; area < DictionaryAreaCount; ++area) {
        const bool present = std::any_of(contents.begin(), contents.end(), [area](const TocEntry& entry) {
            return entry.id == DictionaryAreas[area].id;
        });
        if (present) {
            WriteAreaTable(parts, area);
        }
    }
    if (pdos) {
        WritePdoOverview(parts);
    }
    WriteCheckSummary(parts);
    return sink.End();
}

bool SaveDocumentation(Platform& platform, const std::string& path, const DocumentationSource& source,
                       DocumentationFormat format) {
    FileOperation failed = FileOperation::Write;
    std::string reason;
    if (ReplaceWholeFile(platform.Files(), path, WriteDocumentation(source, format), failed, reason) !=
        ReplaceOutcome::Replaced) {
        platform.ReportFileError(failed, path, reason);
        return false;
    }
    return true;
}

std::string DocumentationCreatedMessage(const std::string& path) {
    return "The file " + path + " was successfully created!";
}
