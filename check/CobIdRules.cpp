#include <cstdio>
#include <string>
#include <unordered_map>

#include "check/CheckContext.h"
#include "generator/GeneratorRules.h"
#include "model/ObjectDictionary.h"

namespace {

constexpr std::uint32_t CobIdInvalid = 0x80000000u;
constexpr std::uint32_t CobIdExtended = 0x20000000u;

// The CAN identifier a COB-ID puts on the bus: 11 bits, or 29 bits with the extended-frame bit, which
// stays part of the key so that a base and an extended frame never compare equal.
std::uint32_t CanIdentifier(std::uint32_t cobId) {
    return (cobId & CobIdExtended) != 0 ? CobIdExtended | (cobId & 0x1FFFFFFFu) : cobId & 0x7FFu;
}

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
}

// The entries that hold a COB-ID the device uses: the emergency object, both COB-IDs of every SDO
// server and client, and every PDO's.
bool HoldsCobId(std::uint16_t index, std::uint16_t subindex) {
    if (index == 0x1014) {
        return subindex == 0;
    }
    if (IsSdoServerIndex(index) || IsSdoClientIndex(index)) {
        return subindex == 1 || subindex == 2;
    }
    return IsPdoCommunicationIndex(index) && subindex == 1;
}

}  // namespace

void CheckCobIds(CheckContext& context) {
    const ObjectDictionary& dictionary = context.Dictionary();
    std::unordered_map<std::uint32_t, const SubindexEntry*> owners;
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        const IndexEntry& index = *dictionary.GetIndexAt(position);
        for (const auto& entry : index.subindices) {
            const std::uint16_t subindex = entry->subindex == HeaderSingle ? 0 : entry->subindex;
            if (entry->subindex == HeaderStructured || !HoldsCobId(index.index, subindex)) {
                continue;
            }
            // The value rule reads "$NODEID+n" as n, so node-relative COB-IDs compare by their base.
            const std::uint32_t cobId = CheckContext::UnsignedDefault(*entry);
            if (cobId == 0 || (cobId & CobIdInvalid) != 0) {
                continue;
            }
            const auto [owner, first] = owners.emplace(CanIdentifier(cobId), entry.get());
            if (!first) {
                const SubindexEntry& other = *owner->second;
                const std::uint16_t otherSub = other.subindex == HeaderSingle ? 0 : other.subindex;
                context.Add(
                    "cob-id-duplicate", Severity::Error, *entry,
                    "COB-ID " + Hex(cobId) + " is already used by " + ObjectText(other.index, otherSub));
            }
        }
    }
}
