#include "document/ProjectFileWriter.h"

#include <cstdio>

#include "document/Archive.h"
#include "document/ProjectFileFormat.h"

namespace {

void CheckLimits(const ObjectDictionary& dictionary, const DeviceInfoSection& deviceInfo) {
    const auto fail = [](const std::string& what) {
        throw ArchiveException(ArchiveException::Kind::Generic, "The project cannot be saved: " + what);
    };
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        const IndexEntry& index = *dictionary.GetIndexAt(position);
        if (index.subindices.size() > ProjectFileFormat::WideCountLimit) {
            char text[80];
            std::snprintf(text, sizeof text, "the index 0x%04X has more than 65535 entries.", index.index);
            fail(text);
        }
    }
    if (dictionary.CommentLines().size() > ProjectFileFormat::WideCountLimit) {
        fail("it has more than 65535 comment lines.");
    }
    if (deviceInfo.DummyUsage.dummyCount > DummyUsageSection::SlotCount) {
        fail("the DummyUsage table has more than 7 entries.");
    }
}

// The four counts that version 1.02 widens to u16.
void WriteCount(ArchiveWriter& out, std::size_t count, bool wide) {
    if (wide) {
        out.WriteU16(static_cast<std::uint16_t>(count));
    } else {
        out.WriteU8(static_cast<std::uint8_t>(count));
    }
}

void WriteEntry(ArchiveWriter& out, const SubindexEntry& entry) {
    out.WriteU8(entry.dataType);
    out.WriteU8(entry.objectType);
    out.WriteU8(entry.objectType);
    out.WriteU8(entry.pdoMapping);
    out.WriteText(entry.defaultValue);
    out.WriteText(entry.highLimit);
    out.WriteText(entry.lowLimit);
    out.WriteText(entry.accessType);
    out.WriteText(entry.name);
    out.WriteU16(entry.index);
    out.WriteU16(entry.subindex);
    out.WriteU32(entry.nonVolatile);
}

void WriteIndex(ArchiveWriter& out, const IndexEntry& index, bool wide) {
    out.WriteText(index.callbackName);
    out.WriteText(index.category);
    out.WriteText(index.storage);
    out.WriteU16(index.index);
    out.WriteU16(index.headerSubindex);
    out.WriteU16(index.entryCount);
    out.WriteU16(index.entryCount);
    WriteCount(out, index.subindices.size(), wide);
    for (const auto& entry : index.subindices) {
        WriteEntry(out, *entry);
    }
}

void WriteDeviceInfo(ArchiveWriter& out, const DeviceInfoSection& info) {
    const DummyUsageSection& dummies = info.DummyUsage;
    out.WriteU8(info.DynamicChannelsSupported);
    out.WriteU8(info.Granularity);
    out.WriteU8(info.NrOfRxPdo);
    out.WriteU8(info.NrOfTxPdo);
    out.WriteU8(dummies.dummyCount);
    for (std::uint32_t value : {info.ProductNumber, info.RevisionNumber, info.VendorNumber, info.Baudrate_10,
                                info.Baudrate_20, info.Baudrate_50, info.Baudrate_125, info.Baudrate_250,
                                info.Baudrate_500, info.Baudrate_800, info.Baudrate_1000, info.GroupMessaging,
                                info.LSS_Supported, info.SimpleBootUpMaster, info.SimpleBootUpSlave}) {
        out.WriteU32(value);
    }
    out.WriteText(info.OrderCode);
    out.WriteText(info.ProductName);
    out.WriteText(info.VendorName);
    out.WriteU16(info.mandatoryCount);
    out.WriteU16(info.manufacturerCount);
    out.WriteU16(info.optionalCount);
    out.WriteU8(dummies.dummyCount);
    for (int slot = 0; slot < dummies.dummyCount; ++slot) {
        out.WriteU8(dummies.entries[static_cast<std::size_t>(slot)].dataType);
        out.WriteU32(dummies.entries[static_cast<std::size_t>(slot)].used);
    }
}

void WriteFileInfo(ArchiveWriter& out, const FileInfoSection& info) {
    out.WriteU8(info.FileRevision);
    out.WriteU8(info.FileVersion);
    for (const std::string* text :
         {&info.CreatedBy, &info.CreationDate, &info.CreationTime, &info.Description, &info.EDSVersion,
          &info.FileName, &info.ModificationDate, &info.ModificationTime, &info.ModifiedBy}) {
        out.WriteText(*text);
    }
}

}  // namespace

bool ProjectFileWriter::NeedsWideCounts(const ObjectDictionary& dictionary) {
    const std::size_t limit = ProjectFileFormat::NarrowCountLimit;
    if (dictionary.GetIndexCount() > limit || dictionary.CommentLines().size() > limit) {
        return true;
    }
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        if (dictionary.GetIndexAt(position)->subindices.size() > limit) {
            return true;
        }
    }
    for (const CommentLine& line : dictionary.CommentLines()) {
        if (line.lineNumber > limit) {
            return true;
        }
    }
    return false;
}

std::string ProjectFileWriter::Write(const ObjectDictionary& dictionary, const DeviceInfoSection& deviceInfo,
                                     const FileInfoSection& fileInfo) const {
    CheckLimits(dictionary, deviceInfo);
    const bool wide = NeedsWideCounts(dictionary);
    ArchiveWriter out;
    out.WriteText(wide ? ProjectFileFormat::MagicVersion102 : ProjectFileFormat::MagicVersion101);
    WriteCount(out, dictionary.GetIndexCount(), wide);
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        WriteIndex(out, *dictionary.GetIndexAt(position), wide);
    }
    WriteDeviceInfo(out, deviceInfo);
    WriteFileInfo(out, fileInfo);
    const auto& comments = dictionary.CommentLines();
    WriteCount(out, comments.size(), wide);
    for (const CommentLine& line : comments) {
        out.WriteText(line.text);
        WriteCount(out, line.lineNumber, wide);
    }
    return out.TakeBytes();
}
