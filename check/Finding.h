#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class Severity { Error, Warning };

// One problem the checker found: a stable rule id, its severity, the object it concerns (an index, an
// index and subindex, or neither for the dictionary as a whole) and one English sentence naming the
// values involved.
struct Finding {
    std::string rule;
    Severity severity = Severity::Error;
    std::optional<std::uint16_t> index;
    std::optional<std::uint16_t> subindex;
    std::string text;
    // The line of the imported file where the object's section (or the key concerned) stands; 0 when
    // the finding has none, as for a project file.
    std::uint32_t line = 0;

    bool operator==(const Finding&) const = default;
};

// "error" or "warning".
const char* SeverityName(Severity severity);

// The object as an EDS names its section: "0x1A00" for an index, "0x1A00sub1" for a subindex (hex
// without leading zeros), "" for neither.
std::string LocationText(const Finding& finding);
std::string ObjectText(std::uint16_t index);
std::string ObjectText(std::uint16_t index, std::uint16_t subindex);

// Orders by index, then subindex (a finding without one before those with one), then rule id; findings
// equal in all three keep the order they were found in.
void SortFindings(std::vector<Finding>& findings);

struct FindingCounts {
    int errors = 0;
    int warnings = 0;
};
FindingCounts CountFindings(const std::vector<Finding>& findings);

// The check's text form, one finding a line in the form compilers use (with the line of the file where
// the finding has one), then the counts:
// "device.eds:537: error: 0x1A00sub1: maps 0x6000sub1 with 16 bits, but UINT8 has 8 [pdo-mapping-target]"
// and "device.eds: 1 error, 0 warnings". Every report of the findings as text goes through these.
std::string FindingLine(const std::string& file, const Finding& finding);
std::string FindingCountLine(const std::string& file, const FindingCounts& counts);
