#include <string>
#include <utility>

#include "check/CheckContext.h"
#include "eds/EdsSections.h"
#include "generator/GeneratorRules.h"
#include "model/NameTables.h"
#include "model/ObjectDictionary.h"

namespace {

// A PDO carries at most eight bytes; the generated sources carry mapping subindices 1 to 8 only.
constexpr unsigned PdoBits = 64;
constexpr std::uint16_t GeneratedMappingSlots = 8;

// Dummy entries map a data type number (1..7) as an index; DummyUsage says which ones the device takes.
constexpr std::uint16_t LastDummyIndex = 0x0007;

bool DummyAllowed(const DeviceInfoSection& deviceInfo, std::uint16_t dataType) {
    const DummyUsageSection& dummies = deviceInfo.DummyUsage;
    for (int slot = 0; slot < dummies.dummyCount && slot < DummyUsageSection::SlotCount; ++slot) {
        const DummyEntry& entry = dummies.entries[static_cast<std::size_t>(slot)];
        if (entry.dataType == dataType && entry.used == 1) {
            return true;
        }
    }
    return false;
}

std::string Bits(unsigned bits) {
    return std::to_string(bits) + (bits == 1 ? " bit" : " bits");
}

struct MappedObject {
    std::uint16_t index;
    std::uint16_t subindex;
    unsigned bits;
};

MappedObject Decode(std::uint32_t value) {
    return {static_cast<std::uint16_t>(value >> 16), static_cast<std::uint16_t>((value >> 8) & 0xFF),
            value & 0xFF};
}

void CheckTarget(CheckContext& context, const SubindexEntry& slot, const MappedObject& mapped, bool receive) {
    const char* rule = "pdo-mapping-target";
    const std::string target = ObjectText(mapped.index, mapped.subindex);
    if (mapped.index >= 0x0001 && mapped.index <= LastDummyIndex) {
        const auto dataType = static_cast<std::uint8_t>(mapped.index);
        const std::string dummy = "maps the dummy " + ObjectText(mapped.index);
        if (!DummyAllowed(context.DeviceInfo(), mapped.index)) {
            context.Add(rule, Severity::Error, slot,
                        dummy + " (" + TypeText(dataType) + "), but DummyUsage does not allow it");
        } else if (mapped.bits != DataTypeBits(dataType)) {
            context.Add(rule, Severity::Error, slot,
                        dummy + " with " + Bits(mapped.bits) + ", but " + TypeText(dataType) + " has " +
                            std::to_string(DataTypeBits(dataType)));
        }
        return;
    }
    const SubindexEntry* object = context.FindEntry(mapped.index, mapped.subindex);
    if (object == nullptr) {
        const std::string leftOut = context.LeftOutReason(mapped.index, mapped.subindex);
        context.Add(
            rule, Severity::Error, slot,
            "maps " + target +
                (leftOut.empty() ? ", which does not exist" : ", which the import left out: " + leftOut));
        return;
    }
    if (object->pdoMapping == 0) {
        context.Add(rule, Severity::Error, slot, "maps " + target + ", which is not PDO-mappable");
    }
    const unsigned size = DataTypeBits(object->dataType);
    if (size != 0 && size != mapped.bits) {
        context.Add(rule, Severity::Error, slot,
                    "maps " + target + " with " + Bits(mapped.bits) + ", but " + TypeText(object->dataType) +
                        " has " + std::to_string(size));
    }
    // A receive PDO writes the object, a transmit PDO reads it.
    const std::string& access = object->accessType;
    if (receive && (access == "ro" || access == "const")) {
        context.Add("pdo-mapping-access", Severity::Error, slot,
                    "a receive PDO writes " + target + ", which is read-only (" + access + ")");
    } else if (!receive && access == "wo") {
        context.Add("pdo-mapping-access", Severity::Error, slot,
                    "a transmit PDO reads " + target + ", which is write-only (wo)");
    }
}

// Subindex 0 announces how many of subindices 1, 2, ... are in use; each of them must map something.
void CheckCount(CheckContext& context, const IndexEntry& mapping) {
    const SubindexEntry* count = context.FindEntry(mapping.index, 0);
    if (count == nullptr) {
        return;
    }
    const std::uint32_t announced = CheckContext::UnsignedDefault(*count);
    // 0xFE and 0xFF do not count: they mark a source- or destination-address multiplexed PDO.
    if (announced == 0xFE || announced == 0xFF) {
        return;
    }
    for (std::uint32_t n = 1; n <= announced && n <= 0xFF; ++n) {
        const SubindexEntry* slot = context.FindEntry(mapping.index, static_cast<std::uint16_t>(n));
        if (slot == nullptr || CheckContext::UnsignedDefault(*slot) == 0) {
            context.Add(
                "pdo-mapping-count", Severity::Error, *count,
                "announces " + std::to_string(announced) +
                    (announced == 1 ? " mapped object, but subindex " : " mapped objects, but subindex ") +
                    std::to_string(n) + (slot == nullptr ? " does not exist" : " maps nothing"));
            return;
        }
    }
}

}  // namespace

void CheckPdoMappings(CheckContext& context) {
    const ObjectDictionary& dictionary = context.Dictionary();
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        const IndexEntry& mapping = *dictionary.GetIndexAt(position);
        if (!IsPdoMappingIndex(mapping.index)) {
            continue;
        }
        CheckCount(context, mapping);
        // The generator takes every subindex from 1 up that maps something as a mapped object,
        // whatever subindex 0 says, so these are the objects the PDO carries.
        unsigned total = 0;
        for (const auto& slot : mapping.subindices) {
            if (slot->IsHeader() || slot->subindex == 0) {
                continue;
            }
            const std::uint32_t value = CheckContext::UnsignedDefault(*slot);
            if (value == 0) {
                continue;
            }
            const MappedObject mapped = Decode(value);
            total += mapped.bits;
            CheckTarget(context, *slot, mapped, IsReceivePdoIndex(mapping.index));
            if (slot->subindex > GeneratedMappingSlots) {
                context.Add("pdo-mapping-slot", Severity::Error, *slot,
                            "maps " + ObjectText(mapped.index, mapped.subindex) +
                                ", but the generated sources carry only subindices 1 to 8");
            }
        }
        if (total > PdoBits) {
            context.Add("pdo-mapping-length", Severity::Error, mapping,
                        "maps " + Bits(total) + ", more than the 64 a PDO carries");
        }
    }
}

void CheckPdoPairing(CheckContext& context) {
    const ObjectDictionary& dictionary = context.Dictionary();
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        const IndexEntry& index = *dictionary.GetIndexAt(position);
        if (!IsPdoIndex(index.index) || context.FindIndex(PdoPartnerIndex(index.index)) != nullptr) {
            continue;
        }
        const bool communication = IsPdoCommunicationIndex(index.index);
        std::string text = IsReceivePdoIndex(index.index) ? "the receive" : "the transmit";
        text += communication ? " PDO has no mapping index " : " PDO mapping has no communication index ";
        text += ObjectText(PdoPartnerIndex(index.index));
        text += communication ? "; the generator adds one that maps nothing"
                              : "; the generator leaves this PDO out";
        context.Add("pdo-pairing", Severity::Warning, index, std::move(text));
    }
}
