#include "document/ProjectFileReader.h"

#include <cstdio>
#include <new>

#include "document/Archive.h"
#include "document/ProjectFileFormat.h"
#include "model/NameTables.h"

namespace {

// The smallest possible size of each block, used to refuse counts that cannot fit into the rest of
// the file before anything is created for them.
constexpr std::size_t MinIndexBlock = 3 + 4 * 2 + 1;
constexpr std::size_t MinEntryBlock101 = 4 + 5 + 2 + 2 + 4;
constexpr std::size_t MinEntryBlock100 = 4 + 3 * 4 + 3 + 2 + 2 + 4;
constexpr std::size_t DummyEntryBlock = 1 + 4;
constexpr std::size_t MinCommentBlock = 1 + 1;

std::string HexText(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

template <typename T>
std::unique_ptr<T> Create() {
    try {
        return std::make_unique<T>();
    } catch (const std::bad_alloc&) {
        throw ArchiveException(ArchiveException::Kind::Generic,
                               "There is not enough memory to read the file.");
    }
}

// A file too short to hold a whole magic is no project file at all rather than a damaged one.
std::string ReadMagic(ArchiveReader& in) {
    try {
        return in.ReadText();
    } catch (const ArchiveException&) {
        return {};
    }
}

bool IsStringType(std::uint8_t dataType) {
    return dataType == DataTypeCode::VisibleString || dataType == DataTypeCode::OctetString ||
           dataType == DataTypeCode::UnicodeString;
}

}  // namespace

void ProjectFileReader::Load(std::string_view bytes, ObjectDictionary& dictionary,
                             DeviceInfoSection& deviceInfo, FileInfoSection& fileInfo) {
    ArchiveReader in(bytes);
    const std::string magic = ReadMagic(in);
    m_version100 = magic == ProjectFileFormat::MagicVersion100;
    m_wideCounts = magic == ProjectFileFormat::MagicVersion102;
    if (!m_version100 && !m_wideCounts && magic != ProjectFileFormat::MagicVersion101) {
        throw ArchiveException(ArchiveException::Kind::BadIndex,
                               "The file is not a project file of this program.");
    }

    const std::uint16_t indexCount = ReadCount(in);
    in.RequireItems(indexCount, MinIndexBlock);
    for (unsigned i = 0; i < indexCount; ++i) {
        ReadIndex(in, dictionary);
    }
    ReadDeviceInfo(in, deviceInfo);
    ReadFileInfo(in, fileInfo);
    ReadComments(in, dictionary.CommentLines());
}

void ProjectFileReader::ReadIndex(ArchiveReader& in, ObjectDictionary& dictionary) const {
    auto index = Create<IndexEntry>();
    index->callbackName = in.ReadText();
    index->category = in.ReadText();
    index->storage = in.ReadText();
    index->index = in.ReadU16();
    index->headerSubindex = in.ReadU16();
    index->entryCount = in.ReadU16();
    index->entryCount = in.ReadU16();

    // Older files may carry a stale name for an index the stack serves with a fixed callback.
    if (dictionary.LookupDefaultCallback(index->index) != 0 &&
        index->callbackName != dictionary.GetLookupResult()) {
        index->callbackName = dictionary.GetLookupResult();
    }
    dictionary.InsertIndex(std::move(index));

    const std::uint16_t entryCount = ReadCount(in);
    in.RequireItems(entryCount, m_version100 ? MinEntryBlock100 : MinEntryBlock101);
    for (unsigned i = 0; i < entryCount; ++i) {
        auto entry = Create<SubindexEntry>();
        if (m_version100) {
            ReadEntry100(in, *entry);
        } else {
            ReadEntry101(in, *entry);
        }
        // A file this program wrote has one header entry per index. A second one would be put in front
        // of the first on every load, so each save would name another entry the header: refuse it.
        if (entry->IsHeader()) {
            const IndexEntry* owner = dictionary.FindIndexForEntry(entry->index);
            if (owner != nullptr && owner->Header() != nullptr && owner->Header()->IsHeader()) {
                throw ArchiveException(ArchiveException::Kind::Generic,
                                       "An index of the file holds more than one header entry.");
            }
        }
        dictionary.InsertEntry(std::move(entry));
    }
}

void ProjectFileReader::ReadEntry101(ArchiveReader& in, SubindexEntry& entry) const {
    entry.dataType = in.ReadU8();
    entry.objectType = in.ReadU8();
    entry.objectType = in.ReadU8();
    entry.pdoMapping = in.ReadU8();
    entry.defaultValue = in.ReadText();
    entry.highLimit = in.ReadText();
    entry.lowLimit = in.ReadText();
    entry.accessType = in.ReadText();
    entry.name = in.ReadText();
    entry.index = in.ReadU16();
    entry.subindex = in.ReadU16();
    entry.nonVolatile = in.ReadU32();
}

void ProjectFileReader::ReadEntry100(ArchiveReader& in, SubindexEntry& entry) const {
    entry.dataType = in.ReadU8();
    entry.objectType = in.ReadU8();
    entry.objectType = in.ReadU8();
    entry.pdoMapping = in.ReadU8();
    entry.defaultNumber = in.ReadU32();
    entry.highLimitNumber = in.ReadU32();
    entry.lowLimitNumber = in.ReadU32();
    entry.accessType = in.ReadText();
    entry.defaultValue = in.ReadText();
    entry.name = in.ReadText();
    entry.index = in.ReadU16();
    entry.subindex = in.ReadU16();
    entry.nonVolatile = in.ReadU32();

    // Version 1.00 kept values as numbers; only string types had a meaningful text.
    if (!IsStringType(entry.dataType)) {
        entry.defaultValue = HexText(entry.defaultNumber);
    }
    entry.lowLimit = HexText(entry.lowLimitNumber);
    entry.highLimit = HexText(entry.highLimitNumber);
}

void ProjectFileReader::ReadDeviceInfo(ArchiveReader& in, DeviceInfoSection& info) const {
    DummyUsageSection& dummies = info.DummyUsage;
    info.DynamicChannelsSupported = in.ReadU8();
    info.Granularity = in.ReadU8();
    info.NrOfRxPdo = in.ReadU8();
    info.NrOfTxPdo = in.ReadU8();
    dummies.dummyCount = in.ReadU8();
    for (std::uint32_t* value :
         {&info.ProductNumber, &info.RevisionNumber, &info.VendorNumber, &info.Baudrate_10, &info.Baudrate_20,
          &info.Baudrate_50, &info.Baudrate_125, &info.Baudrate_250, &info.Baudrate_500, &info.Baudrate_800,
          &info.Baudrate_1000, &info.GroupMessaging, &info.LSS_Supported, &info.SimpleBootUpMaster,
          &info.SimpleBootUpSlave}) {
        *value = in.ReadU32();
    }
    info.OrderCode = in.ReadText();
    info.ProductName = in.ReadText();
    info.VendorName = in.ReadText();
    info.mandatoryCount = in.ReadU16();
    info.manufacturerCount = in.ReadU16();
    info.optionalCount = in.ReadU16();
    const std::uint8_t dummyCount = in.ReadU8();
    in.RequireItems(dummyCount, DummyEntryBlock);
    if (dummyCount > DummyUsageSection::SlotCount) {
        throw ArchiveException(ArchiveException::Kind::Generic,
                               "The file's DummyUsage table has more than 7 entries.");
    }
    dummies.dummyCount = dummyCount;
    for (std::size_t slot = 0; slot < dummyCount; ++slot) {
        dummies.entries[slot].dataType = in.ReadU8();
        dummies.entries[slot].used = in.ReadU32();
    }
}

void ProjectFileReader::ReadFileInfo(ArchiveReader& in, FileInfoSection& info) const {
    info.FileRevision = in.ReadU8();
    info.FileVersion = in.ReadU8();
    for (std::string* text :
         {&info.CreatedBy, &info.CreationDate, &info.CreationTime, &info.Description, &info.EDSVersion,
          &info.FileName, &info.ModificationDate, &info.ModificationTime, &info.ModifiedBy}) {
        *text = in.ReadText();
    }
}

void ProjectFileReader::ReadComments(ArchiveReader& in, std::vector<CommentLine>& comments) const {
    const std::uint16_t lineCount = ReadCount(in);
    in.RequireItems(lineCount, MinCommentBlock);
    for (unsigned i = 0; i < lineCount; ++i) {
        auto line = Create<CommentLine>();
        line->text = in.ReadText();
        line->lineNumber = ReadCount(in);
        comments.push_back(std::move(*line));
    }
}

std::uint16_t ProjectFileReader::ReadCount(ArchiveReader& in) const {
    return m_wideCounts ? in.ReadU16() : in.ReadU8();
}
