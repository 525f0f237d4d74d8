#include <algorithm>
#include <string>

#include "check/CheckContext.h"
#include "eds/ImportReport.h"
#include "generator/GeneratorRules.h"
#include "generator/Identifiers.h"
#include "model/NameTables.h"
#include "model/ObjectDictionary.h"

namespace {

struct MandatoryObject {
    std::uint16_t index;
    const char* name;
};
constexpr MandatoryObject MandatoryObjects[] = {
    {0x1000, "Device Type"}, {0x1001, "Error Register"}, {0x1018, "Identity Object"}};

void CheckMandatory(CheckContext& context) {
    for (const MandatoryObject& object : MandatoryObjects) {
        if (context.FindIndex(object.index) == nullptr) {
            context.Add(
                "mandatory-objects", Severity::Warning,
                "the mandatory object " + ObjectText(object.index) + " (" + object.name + ") is missing");
        }
    }
}

// Subindex 0 of an ARRAY or RECORD holds its highest subindex. The pre-defined error field counts the
// errors there and a PDO mapping the mapped objects (checked with the mapping).
void CheckSubindexZero(CheckContext& context, const IndexEntry& index) {
    const SubindexEntry* header = index.Header();
    if (header == nullptr || header->subindex != HeaderStructured ||
        (header->objectType != ObjectCode::Array && header->objectType != ObjectCode::Record) ||
        index.index == 0x1003 || IsPdoMappingIndex(index.index)) {
        return;
    }
    const SubindexEntry* zero = nullptr;
    std::uint16_t highest = 0;
    for (const auto& entry : index.subindices) {
        if (entry->IsHeader()) {
            continue;
        }
        highest = std::max(highest, entry->subindex);
        if (entry->subindex == 0 && zero == nullptr) {
            zero = entry.get();
        }
    }
    const std::string kind = ObjectTypeName(header->objectType);
    if (index.subindices.size() < 2) {
        return;  // an object without any subindex is its own finding
    }
    // Subindices the import left out for their type are still the device's: they do not make the
    // count wrong.
    const int leftOut = context.HighestLeftOut(index.index);
    if (zero == nullptr) {
        if (context.LeftOutReason(index.index, 0).empty()) {
            context.Add("subindex-zero", Severity::Warning, index, "the " + kind + " has no subindex 0");
        }
        return;
    }
    if ((context.AbsentValues(*zero) & ImportReport::NoDefault) != 0) {
        return;  // the file does not say what subindex 0 holds
    }
    const std::uint32_t announced = CheckContext::UnsignedDefault(*zero);
    if (announced != highest && static_cast<int>(announced) != std::max<int>(highest, leftOut)) {
        context.Add("subindex-zero", Severity::Warning, *zero,
                    "holds " + std::to_string(announced) + ", but the highest subindex is " +
                        std::to_string(highest));
    }
}

// The generator stops at a structured object without subindices.
void CheckHasSubindices(CheckContext& context, const IndexEntry& index) {
    if (index.headerSubindex != HeaderStructured || index.entryCount >= 2 ||
        !(GetsIndexBlock(index.index) || IsPdoIndex(index.index))) {
        return;
    }
    const SubindexEntry* header = index.Header();
    const std::string kind = header != nullptr ? ObjectTypeName(header->objectType) : std::string();
    context.Add("no-subindices", Severity::Error, index,
                "the " + (kind.empty() ? std::string("object") : kind) +
                    " has no subindices, so generating the sources fails");
}

std::string NoLineReason(const SubindexEntry& entry, bool communicationArea) {
    const std::string& access = entry.accessType;
    const bool knownAccess = access == "const" || access == "ro" || access == "wo" || access == "rw" ||
                             access == "rwr" || access == "rww";
    if (communicationArea && !knownAccess) {
        return access.empty() ? "it has no access type" : "its access type \"" + access + "\" is unknown";
    }
    if (StackTypeName(entry.dataType) == nullptr) {
        return TypeText(entry.dataType) + " has no C type";
    }
    if (entry.dataType == DataTypeCode::Domain) {
        return "a DOMAIN cannot be const";
    }
    return TypeText(entry.dataType) + " has no entry line";
}

// What the generated sources leave out without failing: indices above the last part, and entries
// without a line.
void CheckGenerated(CheckContext& context, const IndexEntry& index) {
    if (index.index > LastGeneratedIndex) {
        context.Add("not-generated", Severity::Warning, index,
                    "the generated sources leave out every index above " + ObjectText(LastGeneratedIndex));
        return;
    }
    if (!GetsIndexBlock(index.index)) {
        return;
    }
    const bool communicationArea = index.index <= 0x1FFF;
    for (const auto& entry : index.subindices) {
        if (entry->subindex != HeaderStructured && !WritesEntryLine(*entry, communicationArea)) {
            context.Add("not-generated", Severity::Warning, *entry,
                        "gets no line in the generated sources: " + NoLineReason(*entry, communicationArea));
        }
    }
}

}  // namespace

void CheckStructure(CheckContext& context) {
    CheckMandatory(context);
    const ObjectDictionary& dictionary = context.Dictionary();
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        const IndexEntry& index = *dictionary.GetIndexAt(position);
        CheckSubindexZero(context, index);
        CheckHasSubindices(context, index);
        CheckGenerated(context, index);
    }
}
