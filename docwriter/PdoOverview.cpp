#include <array>
#include <string>
#include <vector>

#include "check/CheckContext.h"
#include "docwriter/DocumentationParts.h"
#include "generator/GeneratorRules.h"

namespace {

constexpr const char* EnDash = "\xE2\x80\x93";
constexpr unsigned PdoNumbers = 0x200;
constexpr unsigned FrameBits = 64;
// Mapping entries name a data type number 1..7 instead of an object to leave those bits unused.
constexpr std::uint16_t LastDummyIndex = 0x0007;

struct Direction {
    const char* prefix;
    std::uint16_t communicationBase;
};
constexpr Direction Directions[] = {{"RPDO", 0x1400}, {"TPDO", 0x1800}};

std::string TransmissionMeaning(std::uint32_t type) {
    if (type == 0) {
        return "synchronous, acyclic";
    }
    if (type == 1) {
        return "synchronous, every SYNC";
    }
    if (type <= 240) {
        return "synchronous, every " + std::to_string(type) + " SYNCs";
    }
    switch (type) {
        case 252:
            return "synchronous, on remote request";
        case 253:
            return "on remote request";
        case 254:
            return "event-driven, manufacturer-specific";
        case 255:
            return "event-driven, device profile";
        default:
            return "reserved";
    }
}

std::string BitRange(unsigned first, unsigned bits) {
    if (bits <= 1) {
        return std::to_string(first);
    }
    return std::to_string(first) + EnDash + std::to_string(first + bits - 1);
}

class PdoTable {
public:
    explicit PdoTable(const DocumentationParts& parts)
        : m_parts(parts), m_lookup(parts.Source().dictionary, parts.Source().deviceInfo) {}

    void WritePdo(const Direction& direction, unsigned number) {
        const auto communication = static_cast<std::uint16_t>(direction.communicationBase + number);
        const auto mapping = static_cast<std::uint16_t>(communication + 0x200);
        const bool hasCommunication = m_lookup.FindIndex(communication) != nullptr;
        const IndexEntry* mappingIndex = m_lookup.FindIndex(mapping);

        std::vector<DocCell> first{{direction.prefix + std::to_string(number + 1)},
                                   IndexCell(communication, hasCommunication),
                                   IndexCell(mapping, mappingIndex != nullptr),
                                   {Value(communication, 1, true)},
                                   {Value(communication, 2, false)}};
        unsigned bit = 0;
        bool any = false;
        if (mappingIndex != nullptr) {
            for (const auto& slot : mappingIndex->subindices) {
                // The generator takes every subindex from 1 up that maps something.
                const std::uint32_t value =
                    slot->IsHeader() || slot->subindex == 0 ? 0 : CheckContext::UnsignedDefault(*slot);
                if (value == 0) {
                    continue;
                }
                std::vector<DocCell> row = any ? std::vector<DocCell>(5) : first;
                AddMappedObject(row, value, bit);
                m_parts.Sink().Row(row, any ? RowKind::Subindex : RowKind::Object);
                any = true;
            }
        }
        if (!any) {
            first.push_back({});
            first.push_back({});
            first.push_back({mappingIndex != nullptr ? "nothing mapped" : ""});
            m_parts.Sink().Row(first, RowKind::Object);
        }
    }

private:
    static DocCell IndexCell(std::uint16_t index, bool present) {
        if (!present) {
            return DocCell{"missing (" + ObjectText(index) + ")", "", "", true};
        }
        return DocCell{ObjectText(index), "", ObjectText(index)};
    }

    // A value of the communication parameters as written; the transmission type with its meaning, a
    // COB-ID with bit 31 set marked as not valid.
    std::string Value(std::uint16_t index, std::uint16_t subindex, bool cobId) const {
        const SubindexEntry* entry = m_lookup.FindEntry(index, subindex);
        if (entry == nullptr) {
            return "";
        }
        const std::string written = m_parts.Text(entry->defaultValue);
        const std::uint32_t value = CheckContext::UnsignedDefault(*entry);
        if (cobId) {
            return (value & 0x80000000u) != 0 ? written + " (not valid)" : written;
        }
        return written + " (" + TransmissionMeaning(value) + ")";
    }

    void AddMappedObject(std::vector<DocCell>& row, std::uint32_t value, unsigned& bit) const {
        const auto index = static_cast<std::uint16_t>(value >> 16);
        const auto subindex = static_cast<std::uint16_t>((value >> 8) & 0xFF);
        const unsigned bits = value & 0xFF;
        row.push_back({BitRange(bit, bits), "", "", bit + bits > FrameBits});
        bit += bits;
        if (index >= 0x0001 && index <= LastDummyIndex) {
            row.push_back({ObjectText(index)});
            row.push_back({"dummy " + TypeName(static_cast<std::uint8_t>(index)), "", "", true});
            return;
        }
        const SubindexEntry* target = m_lookup.FindEntry(index, subindex);
        if (target == nullptr) {
            row.push_back({ObjectText(index, subindex)});
            row.push_back({"unknown object", "", "", true});
            return;
        }
        const bool single = target->subindex == HeaderSingle;
        row.push_back({single ? ObjectText(index) : ObjectText(index, subindex), "", ObjectText(index)});
        row.push_back({m_parts.Text(target->name)});
    }

    const DocumentationParts& m_parts;
    CheckContext m_lookup;
};

}  // namespace

bool HasPdos(const ObjectDictionary& dictionary) {
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        if (IsPdoIndex(dictionary.GetIndexAt(position)->index)) {
            return true;
        }
    }
    return false;
}

void WritePdoOverview(const DocumentationParts& parts) {
    // Which PDO numbers have a communication or a mapping index, for each direction.
    std::array<std::vector<bool>, 2> present{std::vector<bool>(PdoNumbers), std::vector<bool>(PdoNumbers)};
    const ObjectDictionary& dictionary = parts.Source().dictionary;
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        const std::uint16_t index = dictionary.GetIndexAt(position)->index;
        if (IsPdoIndex(index)) {
            const bool receive = IsReceivePdoIndex(index);
            present[receive ? 0 : 1][(index - Directions[receive ? 0 : 1].communicationBase) % PdoNumbers] =
                true;
        }
    }

    DocumentationSink& sink = parts.Sink();
    sink.Heading("pdos", "PDO overview");
    sink.Paragraph(
        "Each PDO with its COB-ID and transmission type as written, and the objects it maps in "
        "the order they fill the frame; bits count from the first bit of the frame.");
    sink.BeginTable({"PDO", "Communication", "Mapping", "COB-ID", "Transmission", "Bits", "Object", "Name"});
    PdoTable table(parts);
    for (std::size_t d = 0; d < 2; ++d) {
        for (unsigned number = 0; number < PdoNumbers; ++number) {
            if (present[d][number]) {
                table.WritePdo(Directions[d], number);
            }
        }
    }
    sink.EndTable();
}
