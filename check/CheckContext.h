#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "check/Finding.h"

class ObjectDictionary;
struct DeviceInfoSection;
struct IndexEntry;
struct SubindexEntry;

// What every rule of one check run shares: the content, look-ups into it, and the findings so far.
// Look-ups are binary searches over the ordered indices and entries, so a rule that follows references
// stays linear in the size of the dictionary.
class CheckContext {
public:
    CheckContext(const ObjectDictionary& dictionary, const DeviceInfoSection& deviceInfo)
        : m_dictionary(dictionary), m_deviceInfo(deviceInfo) {}

    const ObjectDictionary& Dictionary() const { return m_dictionary; }
    const DeviceInfoSection& DeviceInfo() const { return m_deviceInfo; }

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

    std::vector<Finding> TakeFindings() { return std::move(m_findings); }

private:
    const ObjectDictionary& m_dictionary;
    const DeviceInfoSection& m_deviceInfo;
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
