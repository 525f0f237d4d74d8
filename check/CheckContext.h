#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "check/Finding.h"

class ObjectDictionary;
struct DeviceInfoSection;
struct ImportReport;
struct IndexEntry;
struct SubindexEntry;

// What every rule of one check run shares: the content, look-ups into it, and the findings so far.
// Look-ups are binary searches over the ordered indices and entries, so a rule that follows references
// stays linear in the size of the dictionary.
class CheckContext {
public:
    CheckContext(const ObjectDictionary& dictionary, const DeviceInfoSection& deviceInfo,
                 const ImportReport* report = nullptr)
        : m_dictionary(dictionary), m_deviceInfo(deviceInfo), m_report(report) {}

    const ObjectDictionary& Dictionary() const { return m_dictionary; }
    const DeviceInfoSection& DeviceInfo() const { return m_deviceInfo; }
    // The report of the import the dictionary came from; null for a project or an edited dictionary.
    const ImportReport* Report() const { return m_report; }
    // Why the import left out the entry (index, subindex 0 also for a VAR), or "" when it did not.
    std::string LeftOutReason(std::uint16_t index, std::uint16_t subindex) const;
    // The highest subindex of the index that the import left out for its type, or -1.
    int HighestLeftOut(std::uint16_t index) const;
    // The value keys the file lacks for the entry (ImportReport::AbsentValue bits), 0 without a report.
    std::uint8_t AbsentValues(const SubindexEntry& entry) const;

    // The first index with the number, or null.
    const IndexEntry* FindIndex(std::uint16_t index) const;
    // The entry an index and subindex name; subindex 0 of a VAR, DOMAIN or DEFTYPE object is its one
    // entry. Null when there is none.
    const SubindexEntry* FindEntry(std::uint16_t index, std::uint16_t subindex) const;
    // The entry's default as the generator reads parameters: 0 unless the type reads as unsigned.
    static std::uint32_t UnsignedDefault(const SubindexEntry& entry);

    // A finding about an entry: its index, and its subindex unless it is a header entry.
    void Add(const char* rule, Severity severity, const SubindexEntry& at, std::string text);
    void Add(const char* rule, Severity severity, const IndexEntry& at, std::string text);
    // A finding about the dictionary as a whole.
    void Add(const char* rule, Severity severity, std::string text);
    void Add(Finding finding) { m_findings.push_back(std::move(finding)); }

    std::vector<Finding> TakeFindings() { return std::move(m_findings); }

private:
    const ObjectDictionary& m_dictionary;
    const DeviceInfoSection& m_deviceInfo;
    const ImportReport* m_report;
    std::vector<Finding> m_findings;
};

// The program's name of a data type ("UINT8"), or its CANopen name where the program has none.
std::string TypeText(std::uint8_t dataType);

// The rules, one function per group; each adds its findings to the context.
void CheckPdoMappings(CheckContext& context);
void CheckPdoPairing(CheckContext& context);
void CheckCobIds(CheckContext& context);
void CheckValues(CheckContext& context);
void CheckNames(CheckContext& context);
void CheckStructure(CheckContext& context);
// What the import left out or found twice, and the PDO counts of [DeviceInfo]; nothing without a report.
void CheckImport(CheckContext& context);
