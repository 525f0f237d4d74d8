#include "eds/CEdsWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "eds/EdsFormat.h"
#include "eds/EdsResult.h"
#include "eds/ProfileFile.h"
#include "model/ObjectDictionary.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace {

// Line breaks are rare in a value. Eight bytes at a time are first asked whether any of them lies
// below '\r' + 1 (the word trick for "has a byte less than n", which leaves bytes from 0x80 up out);
// only then are the bytes looked at one by one.
bool HasLineBreak(std::string_view value) {
    constexpr std::uint64_t Ones = 0x0101010101010101u;
    constexpr std::uint64_t Highs = 0x8080808080808080u;
    std::size_t at = 0;
    for (; at + 8 <= value.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, value.data() + at, 8);
        if (((word - Ones * ('\r' + 1)) & ~word & Highs) != 0) {
            break;
        }
    }
    for (; at < value.size(); ++at) {
        if (value[at] == '\r' || value[at] == '\n') {
            return true;
        }
    }
    return false;
}

}  // namespace

CEdsWriter::CEdsWriter(const std::string& path, ObjectDictionary& dictionary, FileInfoSection& fileInfo,
                       DeviceInfoSection& deviceInfo, Platform& platform)
    : m_strPath(path),
      m_dictionary(dictionary),
      m_fileInfo(fileInfo),
      m_deviceInfo(deviceInfo),
      m_platform(platform) {}

CEdsWriter::~CEdsWriter() = default;

// The previous file at the path is replaced only by a complete new one: whatever fails, it keeps its
// bytes. A target that cannot be replaced is the "cannot delete" case of the result codes. The text goes
// to a temporary file as it is built, a piece at a time, so that a large file is never held whole.
EdsExportResult CEdsWriter::WriteFile() {
    FileSystem& files = m_platform.Files();
    // A dictionary that cannot be written whole (see BuildText) is found out before any file is made.
    const bool setsAKeyTwice = SetsAKeyTwice();
    if (setsAKeyTwice || !HasMandatoryIndex()) {
        std::string text;
        const EdsExportResult result = BuildText(text, setsAKeyTwice);
        if (result != EdsExportResult::Success) {
            return result;
        }
        return WriteExportedFile(files, m_strPath, text);
    }
    const std::string temporary = TemporaryPathFor(m_strPath);
    std::string reason;
    std::string ignored;
    std::unique_ptr<WritableFile> file = files.Create(temporary, reason);
    if (!file) {
        files.Remove(temporary, ignored);
        return EdsExportResult::WriteFailed;
    }
    m_pOut = file.get();
    m_bOutFailed = false;
    std::string rest;
    const EdsExportResult result = BuildText(rest, setsAKeyTwice);
    m_pOut = nullptr;
    const bool written =
        result == EdsExportResult::Success && !m_bOutFailed && file->Write(rest) && file->Close();
    file.reset();
    if (!written) {
        files.Remove(temporary, ignored);
        return result == EdsExportResult::Success ? EdsExportResult::WriteFailed : result;
    }
    if (!files.Rename(temporary, m_strPath, reason)) {
        files.Remove(temporary, ignored);
        return EdsExportResult::CannotDelete;
    }
    return EdsExportResult::Success;
}

EdsExportResult WriteExportedFile(FileSystem& files, const std::string& path, const std::string& text) {
    FileOperation failed = FileOperation::Create;
    std::string reason;
    switch (ReplaceWholeFile(files, path, text, failed, reason)) {
        case ReplaceOutcome::Replaced:
            return EdsExportResult::Success;
        case ReplaceOutcome::RenameFailed:
            return EdsExportResult::CannotDelete;
        case ReplaceOutcome::WriteFailed:
            break;
    }
    return EdsExportResult::WriteFailed;
}

EdsExportResult CEdsWriter::BuildText(std::string& text) {
    return BuildText(text, SetsAKeyTwice());
}

EdsExportResult CEdsWriter::BuildText(std::string& text, bool setsAKeyTwice) {
    m_text.Clear();
    m_strSection.clear();
    if (setsAKeyTwice) {
        m_pProfile = std::make_unique<ProfileFile>();
    } else {
        m_text.Reserve(m_pOut != nullptr ? 2 * FlushSize : EstimatedSize());
    }
    EdsExportResult result = EdsExportResult::Success;
    for (auto step : {&CEdsWriter::WriteFileInfo, &CEdsWriter::WriteDeviceInfo, &CEdsWriter::WriteDummyUsage,
                      &CEdsWriter::WriteComments}) {
        result = (this->*step)();
        if (result != EdsExportResult::Success) {
            break;
        }
    }
    for (const char* category : {"mandatory", "manufacturer", "optional"}) {
        if (result != EdsExportResult::Success) {
            break;
        }
        result = WriteObjectList(category);
    }
    if (m_pProfile) {
        text = m_pProfile->ToBytes();
        m_pProfile.reset();
    } else {
        text = m_text.Take();
    }
    return result;
}

// The last key of a section gets CR LF after its value, which leaves the empty line that ends the
// section. Line breaks inside a stored text would start new lines (or sections) of their own, so they
// are written as blanks.
bool CEdsWriter::Set(std::string_view section, std::string_view key, std::string_view value,
                     bool endOfSection) {
    if (m_pProfile) {
        std::string line(value);
        std::replace_if(
            line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        if (endOfSection) {
            line += "\r\n";
        }
        return m_pProfile->SetString(section, key, line);
    }
    if (section != m_strSection) {
        char* out = m_text.Extend(section.size() + 4);
        *out++ = '[';
        std::memcpy(out, section.data(), section.size());
        std::copy_n("]\r\n", 3, out + section.size());
        m_strSection.assign(section);
    }
    // The line is copied in one piece of room: key, '=', value and the line end.
    char* out = m_text.Extend(key.size() + 1 + value.size() + (endOfSection ? 4 : 2));
    std::memcpy(out, key.data(), key.size());
    out += key.size();
    *out++ = '=';
    if (!value.empty()) {
        std::memcpy(out, value.data(), value.size());
        if (HasLineBreak(value)) {
            std::replace_if(
                out, out + value.size(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        }
        out += value.size();
    }
    if (endOfSection) {
        std::copy_n("\r\n\r\n", 4, out);
    } else {
        std::copy_n("\r\n", 2, out);
    }
    if (m_pOut != nullptr && m_text.Size() >= FlushSize) {
        Flush();
    }
    return true;
}

void CEdsWriter::Flush() {
    if (!m_bOutFailed && !m_pOut->Write(m_text.View().data(), m_text.Size())) {
        m_bOutFailed = true;
    }
    m_text.Clear();
}

void CEdsWriter::Append(std::string_view text) {
    if (m_pOut != nullptr) {
        Flush();
        if (!m_bOutFailed && !m_pOut->Write(text.data(), text.size())) {
            m_bOutFailed = true;
        }
    } else {
        m_text.Append(text);
    }
}

EdsExportResult CEdsWriter::WriteFileInfo() {
    const std::string_view s = "FileInfo";
    const FileInfoSection& f = m_fileInfo;
    bool ok = Set(s, "FileName", FileNamePart(m_strPath));
    ok &= Set(s, "FileVersion", ShortText().Decimal(f.FileVersion));
    ok &= Set(s, "FileRevision", ShortText().Decimal(f.FileRevision));
    ok &= Set(s, "EDSVersion", f.EDSVersion);
    ok &= Set(s, "Description", f.Description);
    ok &= Set(s, "CreationTime", f.CreationTime);
    ok &= Set(s, "CreationDate", f.CreationDate);
    ok &= Set(s, "CreatedBy", f.CreatedBy);
    ok &= Set(s, "ModificationTime", f.ModificationTime);
    ok &= Set(s, "ModificationDate", f.ModificationDate);
    ok &= Set(s, "ModifiedBy", f.ModifiedBy, EndOfSection);
    return ok ? EdsExportResult::Success : EdsExportResult::WriteFailed;
}

EdsExportResult CEdsWriter::WriteDeviceInfo() {
    unsigned rxPdo = 0;
    unsigned txPdo = 0;
    for (std::uint16_t i = 0; i < m_dictionary.GetIndexCount(); ++i) {
        const std::uint16_t number = m_dictionary.GetIndexAt(i)->index;
        rxPdo += number >= 0x1400 && number <= 0x15FF ? 1 : 0;
        txPdo += number >= 0x1800 && number <= 0x19FF ? 1 : 0;
    }
    DeviceInfoSection& d = m_deviceInfo;
    d.NrOfRxPdo = static_cast<std::uint8_t>(rxPdo);
    d.NrOfTxPdo = static_cast<std::uint8_t>(txPdo);

    const std::string_view s = "DeviceInfo";
    // "%d" shows 32-bit values from 2^31 up as negative numbers; the reader turns them back.
    const auto number = [](std::uint32_t value) {
        return ShortText().Decimal(static_cast<std::int32_t>(value));
    };
    // Vendor, product and revision numbers are 32-bit unsigned identifiers, written as such ("%u").
    const auto identity = [](std::uint32_t value) { return ShortText().Decimal(value); };
    bool ok = Set(s, "VendorName", d.VendorName);
    ok &= Set(s, "VendorNumber", identity(d.VendorNumber));
    ok &= Set(s, "ProductName", d.ProductName);
    ok &= Set(s, "ProductNumber", identity(d.ProductNumber));
    ok &= Set(s, "RevisionNumber", identity(d.RevisionNumber));
    ok &= Set(s, "OrderCode", d.OrderCode);
    ok &= Set(s, "Baudrate_10", number(d.Baudrate_10));
    ok &= Set(s, "Baudrate_20", number(d.Baudrate_20));
    ok &= Set(s, "Baudrate_50", number(d.Baudrate_50));
    ok &= Set(s, "Baudrate_125", number(d.Baudrate_125));
    ok &= Set(s, "Baudrate_250", number(d.Baudrate_250));
    ok &= Set(s, "Baudrate_500", number(d.Baudrate_500));
    ok &= Set(s, "Baudrate_800", number(d.Baudrate_800));
    ok &= Set(s, "Baudrate_1000", number(d.Baudrate_1000));
    ok &= Set(s, "SimpleBootUpMaster", number(d.SimpleBootUpMaster));
    ok &= Set(s, "SimpleBootUpSlave", number(d.SimpleBootUpSlave));
    ok &= Set(s, "Granularity", number(d.Granularity));
    ok &= Set(s, "DynamicChannelsSupported", number(d.DynamicChannelsSupported));
    ok &= Set(s, "GroupMessaging", number(d.GroupMessaging));
    ok &= Set(s, "NrOfRXPDO", number(d.NrOfRxPdo));
    ok &= Set(s, "NrOfTXPDO", number(d.NrOfTxPdo));
    ok &= Set(s, "LSS_Supported", number(d.LSS_Supported), EndOfSection);
    return ok ? EdsExportResult::Success : EdsExportResult::WriteFailed;
}

EdsExportResult CEdsWriter::WriteDummyUsage() {
    const DummyUsageSection& table = m_deviceInfo.DummyUsage;
    const int count = std::min<int>(table.dummyCount, DummyUsageSection::SlotCount);
    for (int i = 0; i < count; ++i) {
        const DummyEntry& slot = table.entries[static_cast<std::size_t>(i)];
        if (!Set("DummyUsage", ShortText().Text("Dummy").Hex(slot.dataType, 4, true),
                 slot.used == 1 ? "1" : "0", i + 1 == count)) {
            return EdsExportResult::WriteFailed;
        }
    }
    return EdsExportResult::Success;
}

EdsExportResult CEdsWriter::WriteComments() {
    const std::vector<CommentLine>& lines = m_dictionary.CommentLines();
    const std::string_view s = "Comments";
    if (!Set(s, "Lines", ShortText().Decimal(static_cast<int>(lines.size())), lines.empty())) {
        return EdsExportResult::WriteFailed;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!Set(s, ShortText().Text("Line").Decimal(static_cast<int>(i + 1)), lines[i].text,
                 i + 1 == lines.size())) {
            return EdsExportResult::WriteFailed;
        }
    }
    return EdsExportResult::Success;
}
