#include "check/Finding.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

const char* SeverityName(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

std::string ObjectText(std::uint16_t index) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(index));
    return text;
}

std::string ObjectText(std::uint16_t index, std::uint16_t subindex) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%04Xsub%X", static_cast<unsigned>(index),
                  static_cast<unsigned>(subindex));
    return text;
}

std::string LocationText(const Finding& finding) {
    if (!finding.index) {
        return "";
    }
    return finding.subindex ? ObjectText(*finding.index, *finding.subindex) : ObjectText(*finding.index);
}

void SortFindings(std::vector<Finding>& findings) {
    // An absent index or subindex sorts as -1, before every real number.
    auto number = [](const std::optional<std::uint16_t>& n) { return n ? int{*n} : -1; };
    std::stable_sort(findings.begin(), findings.end(), [&](const Finding& a, const Finding& b) {
        return std::forward_as_tuple(number(a.index), number(a.subindex), a.rule) <
               std::forward_as_tuple(number(b.index), number(b.subindex), b.rule);
    });
}

FindingCounts CountFindings(const std::vector<Finding>& findings) {
    FindingCounts counts;
    for (const Finding& finding : findings) {
        ++(finding.severity == Severity::Error ? counts.errors : counts.warnings);
    }
    return counts;
}

std::string FindingLine(const std::string& file, const Finding& finding) {
    std::string line = file + (finding.line != 0 ? ":" + std::to_string(finding.line) : "") + ": " +
                       SeverityName(finding.severity) + ": ";
    if (finding.index) {
        line += LocationText(finding) + ": ";
    }
    return line + finding.text + " [" + finding.rule + "]";
}

std::string FindingCountLine(const std::string& file, const FindingCounts& counts) {
    return file + ": " + std::to_string(counts.errors) + (counts.errors == 1 ? " error, " : " errors, ") +
           std::to_string(counts.warnings) + (counts.warnings == 1 ? " warning" : " warnings");
}
