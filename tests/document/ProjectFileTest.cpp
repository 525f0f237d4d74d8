#include <gtest/gtest.h>

#include "ByteBuilder.h"
#include "document/Archive.h"
#include "document/ProjectFileReader.h"
#include "document/ProjectFileWriter.h"
#include "model/NameTables.h"

namespace {

const std::string Magic102 = "Quillmark_File_1.02";
const std::string Magic101 = "Quillmark_File_1.01";
const std::string Magic100 = "Quillmark_File_1.00";

struct Content {
    ObjectDictionary dictionary;
    DeviceInfoSection deviceInfo;
    FileInfoSection fileInfo;
};

std::string Save(Content& content) {
    return ProjectFileWriter().Write(content.dictionary, content.deviceInfo, content.fileInfo);
}

void Load(const std::string& bytes, Content& content) {
    ProjectFileReader().Load(bytes, content.dictionary, content.deviceInfo, content.fileInfo);
}

ArchiveException::Kind LoadFailure(const std::string& bytes) {
    Content content;
    try {
        Load(bytes, content);
    } catch (const ArchiveException& error) {
        return error.GetKind();
    }
    ADD_FAILURE() << "the load did not fail";
    return ArchiveException::Kind::Generic;
}

IndexEntry& AddIndex(ObjectDictionary& dictionary, std::uint16_t number, std::uint16_t header) {
    auto index = std::make_unique<IndexEntry>();
    index->index = number;
    index->headerSubindex = header;
    IndexEntry& raw = *index;
    dictionary.InsertIndex(std::move(index));
    return raw;
}

SubindexEntry& AddEntry(ObjectDictionary& dictionary, IndexEntry& index, std::uint16_t subindex) {
    auto entry = std::make_unique<SubindexEntry>();
    entry->index = index.index;
    entry->subindex = subindex;
    SubindexEntry& raw = *entry;
    dictionary.InsertEntry(std::move(entry));
    ++index.entryCount;
    return raw;
}

// A VAR index, a RECORD index with one subindex whose name is 300 characters long, filled sections
// and two comment lines.
void FillSmallProject(Content& c) {
    IndexEntry& deviceType = AddIndex(c.dictionary, 0x1000, HeaderSingle);
    deviceType.category = "mandatory";
    SubindexEntry& single = AddEntry(c.dictionary, deviceType, HeaderSingle);
    single.dataType = DataTypeCode::Uint32;
    single.objectType = ObjectCode::Var;
    single.defaultValue = "0x191";
    single.accessType = "ro";
    single.name = "Device Type";

    IndexEntry& record = AddIndex(c.dictionary, 0x2000, HeaderStructured);
    record.category = "manufacturer";
    record.storage = "RAM";
    record.callbackName = "AppCbRecord";
    SubindexEntry& header = AddEntry(c.dictionary, record, HeaderStructured);
    header.objectType = ObjectCode::Record;
    header.name = "Record";
    SubindexEntry& sub = AddEntry(c.dictionary, record, 0x01);
    sub.dataType = DataTypeCode::Uint8;
    sub.objectType = ObjectCode::Var;
    sub.pdoMapping = 1;
    sub.defaultValue = "12";
    sub.lowLimit = "0x0";
    sub.highLimit = "0xFF";
    sub.accessType = "rw";
    sub.name = std::string(300, 'N');
    sub.nonVolatile = 1;

    DeviceInfoSection& d = c.deviceInfo;
    d.DynamicChannelsSupported = 1;
    d.Granularity = 8;
    d.NrOfRxPdo = 4;
    d.NrOfTxPdo = 3;
    d.ProductNumber = 0x11223344;
    d.RevisionNumber = 2;
    d.VendorNumber = 0x1A;
    d.Baudrate_10 = 1;
    d.Baudrate_1000 = 1;
    d.GroupMessaging = 0;
    d.LSS_Supported = 1;
    d.SimpleBootUpSlave = 1;
    d.OrderCode = "OC-1";
    d.ProductName = "Widget";
    d.VendorName = "Maker";
    d.mandatoryCount = 1;
    d.manufacturerCount = 1;
    d.optionalCount = 0;
    d.DummyUsage.dummyCount = 2;
    d.DummyUsage.entries[0] = {0x02, 1};
    d.DummyUsage.entries[1] = {0x05, 0};

    FileInfoSection& f = c.fileInfo;
    f.FileRevision = 3;
    f.FileVersion = 1;
    f.CreatedBy = "me";
    f.CreationDate = "12-24-2026";
    f.CreationTime = "01:05PM";
    f.Description = "desc";
    f.EDSVersion = "4.0";
    f.FileName = "widget.eds";
    f.ModificationDate = "12-25-2026";
    f.ModificationTime = "02:00AM";
    f.ModifiedBy = "you";

    c.dictionary.CommentLines().push_back({"first", 1});
    c.dictionary.CommentLines().push_back({"second", 2});
}

// The small project's bytes; with wide counts (version 1.02) the second comment line is numbered 300.
std::string SmallProjectBytes(bool wide = false) {
    ByteBuilder b;
    const auto count = [&](unsigned n) -> ByteBuilder& { return wide ? b.U16(n) : b.U8(n); };
    b.Text(wide ? Magic102 : Magic101);
    count(2);
    // Index 0x1000: callback, category, storage, index, header, entryCount twice, M.
    b.Text("NULL").Text("mandatory").Text("ROM").U16(0x1000).U16(0xFFFD).U16(1).U16(1);
    count(1);
    b.U8(0x07).U8(0x07).U8(0x07).U8(0).Text("0x191").Text("").Text("").Text("ro").Text("Device Type");
    b.U16(0x1000).U16(0xFFFD).U32(0);
    // Index 0x2000 with its header and subindex 1.
    b.Text("AppCbRecord").Text("manufacturer").Text("RAM").U16(0x2000).U16(0xFFFF).U16(2).U16(2);
    count(2);
    b.U8(0).U8(0x09).U8(0x09).U8(0).Text("").Text("").Text("").Text("").Text("Record");
    b.U16(0x2000).U16(0xFFFF).U32(0);
    b.U8(0x05).U8(0x07).U8(0x07).U8(1).Text("12").Text("0xFF").Text("0x0").Text("rw");
    b.U8(0xFF).U16(300).Raw(std::string(300, 'N'));
    b.U16(0x2000).U16(0x01).U32(1);
    // DeviceInfo.
    b.U8(1).U8(8).U8(4).U8(3).U8(2);
    b.U32(0x11223344).U32(2).U32(0x1A);
    b.U32(1).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0).U32(1);
    b.U32(0).U32(1).U32(0).U32(1);
    b.Text("OC-1").Text("Widget").Text("Maker");
    b.U16(1).U16(1).U16(0).U8(2);
    b.U8(0x02).U32(1).U8(0x05).U32(0);
    // FileInfo.
    b.U8(3).U8(1).Text("me").Text("12-24-2026").Text("01:05PM").Text("desc").Text("4.0").Text("widget.eds");
    b.Text("12-25-2026").Text("02:00AM").Text("you");
    // Comments.
    count(2).Text("first");
    count(1).Text("second");
    count(wide ? 300 : 2);
    return b.Bytes();
}

// Content whose every count fits one byte except the index count, for the size tests.
void AddVarIndices(Content& c, unsigned count) {
    for (unsigned n = 0; n < count; ++n) {
        IndexEntry& index = AddIndex(c.dictionary, static_cast<std::uint16_t>(0x2000 + n), HeaderSingle);
        AddEntry(c.dictionary, index, HeaderSingle);
    }
}

}  // namespace

TEST(ProjectFileWriter, EmptyProjectIsMagicZeroAndEmptySections) {
    Content content;
    ByteBuilder expected;
    expected.Text(Magic101).U8(0);
    EmptySections(expected);
    EXPECT_EQ(Save(content), expected.Bytes());
}

TEST(ProjectFileWriter, SmallProjectHasTheExactLayout) {
    Content content;
    FillSmallProject(content);
    EXPECT_EQ(Save(content), SmallProjectBytes());
}

TEST(ProjectFileWriter, Version102HasTheExactLayout) {
    Content content;
    FillSmallProject(content);
    content.dictionary.CommentLines()[1].lineNumber = 300;
    EXPECT_EQ(Save(content), SmallProjectBytes(true));
}

TEST(ProjectFileReader, SmallProjectReadsBackUnchangedInBothVersions) {
    for (bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "1.02" : "1.01");
        Content original;
        FillSmallProject(original);
        if (wide) {
            original.dictionary.CommentLines()[1].lineNumber = 300;
        }
        Content loaded;
        Load(SmallProjectBytes(wide), loaded);

        ASSERT_EQ(loaded.dictionary.GetIndexCount(), 2);
        for (std::uint16_t i = 0; i < 2; ++i) {
            EXPECT_TRUE(loaded.dictionary.GetIndexAt(i)->SameContent(*original.dictionary.GetIndexAt(i)))
                << i;
        }
        EXPECT_EQ(loaded.deviceInfo, original.deviceInfo);
        EXPECT_EQ(loaded.fileInfo, original.fileInfo);
        EXPECT_EQ(loaded.dictionary.CommentLines(), original.dictionary.CommentLines());
    }
}

TEST(Archive, TextLengthPrefixesFollowTheThreeForms) {
    struct Row {
        std::size_t length;
        std::string prefix;
    };
    const Row rows[] = {
        {0, std::string("\x00", 1)},
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {300, std::string("\xFF\x2C\x01", 3)},
        {0xFFFD, "\xFF\xFD\xFF"},
        {0xFFFE, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("length " + std::to_string(row.length));
        ArchiveWriter out;
        const std::string text(row.length, 'x');
        out.WriteText(text);
        EXPECT_EQ(out.Bytes().substr(0, row.prefix.size()), row.prefix) << row.length;
        EXPECT_EQ(out.Bytes().size(), row.prefix.size() + row.length) << row.length;
        ArchiveReader in(out.Bytes());
        EXPECT_EQ(in.ReadText(), text) << row.length;
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(ProjectFileReader, Version100ConvertsNumbersToTextsAndRepairsCallbacks) {
    ByteBuilder b;
    b.Text(Magic100).U8(2);
    // 0x1400 carries a stale callback name; its entries are a UINT16 and a VISIBLE_STRING.
    b.Text("NULL").Text("optional").Text("RAM").U16(0x1400).U16(0xFFFF).U16(3).U16(3).U8(3);
    b.U8(0).U8(0x09).U8(0x09).U8(0).U32(0).U32(0).U32(0).Text("").Text("").Text("Comm");
    b.U16(0x1400).U16(0xFFFF).U32(0);
    b.U8(0x06).U8(0x07).U8(0x07).U8(1).U32(0x1234).U32(0xFFFF).U32(26).Text("rw").Text("junk").Text("Value");
    b.U16(0x1400).U16(0x01).U32(0);
    b.U8(0x09).U8(0x07).U8(0x07).U8(0).U32(5).U32(0).U32(0).Text("ro").Text("hello").Text("Text");
    b.U16(0x1400).U16(0x02).U32(1);
    // 0x2000 has no default callback, so its own name stays.
    b.Text("AppCb").Text("manufacturer").Text("ROM").U16(0x2000).U16(0xFFFD).U16(1).U16(1).U8(1);
    b.U8(0x07).U8(0x07).U8(0x07).U8(0).U32(0).U32(0).U32(0).Text("rw").Text("").Text("Var");
    b.U16(0x2000).U16(0xFFFD).U32(0);
    EmptySections(b);

    Content c;
    Load(b.Bytes(), c);
    ASSERT_EQ(c.dictionary.GetIndexCount(), 2);
    const IndexEntry& comm = *c.dictionary.GetIndexAt(0);
    EXPECT_EQ(comm.callbackName, "PdoCbConfigCommu");
    EXPECT_EQ(comm.entryCount, 3);
    EXPECT_EQ(comm.kindMarker, 0);
    ASSERT_EQ(comm.subindices.size(), 3u);
    const SubindexEntry& value = *comm.subindices[1];
    EXPECT_EQ(value.defaultValue, "0x1234");
    EXPECT_EQ(value.lowLimit, "0x1A");
    EXPECT_EQ(value.highLimit, "0xFFFF");
    EXPECT_EQ(value.defaultNumber, 0x1234u);
    const SubindexEntry& text = *comm.subindices[2];
    EXPECT_EQ(text.defaultValue, "hello");
    EXPECT_EQ(text.lowLimit, "0x0");
    EXPECT_EQ(text.nonVolatile, 1u);
    EXPECT_EQ(c.dictionary.GetIndexAt(1)->callbackName, "AppCb");
    EXPECT_EQ(c.dictionary.GetIndexAt(1)->Header()->defaultValue, "0x0");

    // Saving a 1.00 project writes the current version, which reads back the same.
    const std::string saved = ProjectFileWriter().Write(c.dictionary, c.deviceInfo, c.fileInfo);
    EXPECT_EQ(saved.substr(1, Magic101.size()), Magic101);
    Content again;
    Load(saved, again);
    EXPECT_EQ(again.dictionary.GetIndexAt(0)->subindices[1]->defaultValue, "0x1234");
}

TEST(ProjectFileReader, Version101RepairsAStaleDefaultCallback) {
    ByteBuilder b;
    b.Text(Magic101).U8(1);
    b.Text("NULL").Text("optional").Text("RAM").U16(0x1400).U16(0xFFFF).U16(1).U16(1).U8(1);
    b.U8(0).U8(0x09).U8(0x09).U8(0).Text("").Text("").Text("").Text("").Text("Comm");
    b.U16(0x1400).U16(0xFFFF).U32(0);
    EmptySections(b);
    Content c;
    Load(b.Bytes(), c);
    EXPECT_EQ(c.dictionary.GetIndexAt(0)->callbackName, "PdoCbConfigCommu");
}

TEST(ProjectFileReader, EveryTruncationFailsWithEndOfFile) {
    // A file that does not even hold its whole magic is no project file at all.
    const std::size_t magicSize = 1 + Magic101.size();
    for (bool wide : {false, true}) {
        const std::string bytes = SmallProjectBytes(wide);
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            const auto expected =
                length < magicSize ? ArchiveException::Kind::BadIndex : ArchiveException::Kind::EndOfFile;
            EXPECT_EQ(LoadFailure(bytes.substr(0, length)), expected) << length;
        }
    }
}

TEST(ProjectFileReader, TruncationKeepsWhatWasReadBefore) {
    const std::string bytes = SmallProjectBytes();
    Content c;
    EXPECT_THROW(Load(bytes.substr(0, bytes.size() - 3), c), ArchiveException);
    EXPECT_EQ(c.dictionary.GetIndexCount(), 2);
}

TEST(ProjectFileReader, BadInputsFailCleanly) {
    const auto withMagic = [](const std::string& magic) { return ByteBuilder().Text(magic); };
    struct Row {
        const char* what;
        std::string bytes;
        ArchiveException::Kind kind;
    };
    const Row rows[] = {
        {"unknown magic", withMagic("Quillmark_File_1.03").U8(0).Bytes(), ArchiveException::Kind::BadIndex},
        {"empty magic", withMagic("").Bytes(), ArchiveException::Kind::BadIndex},
        {"short text file", "not a project", ArchiveException::Kind::BadIndex},
        {"wide-character marker as magic", ByteBuilder().U8(0xFF).U16(0xFFFE).Bytes(),
         ArchiveException::Kind::BadIndex},
        {"index count beyond the end", withMagic(Magic101).U8(255).Raw(std::string(40, '\0')).Bytes(),
         ArchiveException::Kind::EndOfFile},
        {"entry count beyond the end",
         withMagic(Magic101).Text("").Text("").Text("").U16(0x2000).U16(0).U16(0).U16(0).U8(200).Bytes(),
         ArchiveException::Kind::EndOfFile},
        {"long text length beyond the end",
         withMagic(Magic101).U8(1).U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).Raw(std::string(20, '\0')).Bytes(),
         ArchiveException::Kind::EndOfFile},
        {"wide-character marker",
         withMagic(Magic101).U8(1).U8(0xFF).U16(0xFFFE).Raw(std::string(20, '\0')).Bytes(),
         ArchiveException::Kind::Generic},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(LoadFailure(row.bytes), row.kind) << row.what;
    }
}

TEST(ProjectFileReader, MoreThanSevenDummyEntriesAreRefused) {
    ByteBuilder b;
    b.Text(Magic101).U8(0);
    b.U8(0).U8(0).U8(0).U8(0).U8(8);
    for (int i = 0; i < 15; ++i) {
        b.U32(0);
    }
    b.Text("").Text("").Text("").U16(0).U16(0).U16(0).U8(8);
    for (int i = 0; i < 8; ++i) {
        b.U8(1).U32(1);
    }
    b.Raw(std::string(20, '\0'));
    EXPECT_EQ(LoadFailure(b.Bytes()), ArchiveException::Kind::Generic);
}

// Any one of the four counts beyond a byte makes the file 1.02; at 255 everything stays 1.01.
TEST(ProjectFileWriter, EachCountBeyondOneByteSwitchesToVersion102) {
    struct Row {
        const char* what;
        void (*fill)(Content&, unsigned);
    };
    const Row rows[] = {
        {"indices", [](Content& c, unsigned n) { AddVarIndices(c, n); }},
        {"entries",
         [](Content& c, unsigned n) {
             IndexEntry& index = AddIndex(c.dictionary, 0x2000, HeaderStructured);
             AddEntry(c.dictionary, index, HeaderStructured);
             for (unsigned s = 0; s + 1 < n; ++s) {
                 AddEntry(c.dictionary, index, static_cast<std::uint16_t>(s));
             }
         }},
        {"comment lines", [](Content& c, unsigned n) { c.dictionary.CommentLines().resize(n); }},
        {"a line number",
         [](Content& c, unsigned n) {
             c.dictionary.CommentLines().push_back({"", static_cast<std::uint16_t>(n)});
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        for (unsigned n : {255u, 256u}) {
            Content c;
            row.fill(c, n);
            const std::string saved = Save(c);
            EXPECT_EQ(saved.substr(1, Magic101.size()), n == 255 ? Magic101 : Magic102) << n;
            Content loaded;
            Load(saved, loaded);
            EXPECT_EQ(Save(loaded), saved) << n;
        }
    }
}

TEST(ProjectFileWriter, LargeProjectSavesOpensAndSavesTheSameBytes) {
    Content c;
    AddVarIndices(c, 255);
    IndexEntry& record = AddIndex(c.dictionary, 0x6000, HeaderStructured);
    AddEntry(c.dictionary, record, HeaderStructured).name = "Record";
    for (unsigned s = 0; s < 255; ++s) {
        SubindexEntry& entry = AddEntry(c.dictionary, record, static_cast<std::uint16_t>(s));
        entry.dataType = DataTypeCode::Uint8;
        entry.defaultValue = "$NODEID+" + std::to_string(s);
    }
    for (unsigned n = 1; n <= 256; ++n) {
        c.dictionary.CommentLines().push_back({"line " + std::to_string(n), static_cast<std::uint16_t>(n)});
    }
    const std::string saved = Save(c);
    EXPECT_EQ(saved.substr(1, Magic102.size()), Magic102);

    Content loaded;
    Load(saved, loaded);
    ASSERT_EQ(loaded.dictionary.GetIndexCount(), 256);
    EXPECT_EQ(loaded.dictionary.GetIndexAt(255)->subindices.size(), 256u);
    EXPECT_EQ(loaded.dictionary.CommentLines(), c.dictionary.CommentLines());
    EXPECT_EQ(Save(loaded), saved);
}

// Every basic type a lenient import keeps, at the last index of the communication and manufacturer
// ranges: the type is a byte of the entry, so no new version is needed.
TEST(ProjectFileWriter, EveryDataTypeAndTheRangeEndsSaveOpenAndSaveTheSameBytes) {
    Content c;
    for (const std::uint16_t number : {0x1FFF, 0x5FFF}) {
        IndexEntry& record = AddIndex(c.dictionary, number, HeaderStructured);
        AddEntry(c.dictionary, record, HeaderStructured).name = "Types";
        for (int position = 0; position < DataTypeCount; ++position) {
            SubindexEntry& entry = AddEntry(c.dictionary, record, static_cast<std::uint16_t>(position));
            entry.dataType = DataTypeCodes[position];
            entry.name = DataTypeNames[position];
            entry.defaultValue = "-0x80";
        }
    }
    const std::string saved = Save(c);
    EXPECT_EQ(saved.substr(1, Magic101.size()), Magic101);
    Content loaded;
    Load(saved, loaded);
    ASSERT_EQ(loaded.dictionary.GetIndexCount(), 2);
    EXPECT_EQ(loaded.dictionary.GetIndexAt(1)->index, 0x5FFF);
    EXPECT_EQ(loaded.dictionary.GetIndexAt(1)->subindices.back()->dataType, DataTypeCode::Unsigned64);
    EXPECT_EQ(Save(loaded), saved);
}

TEST(ProjectFileWriter, ContentNoVersionCanHoldIsRefusedWithTheLimitNamed) {
    struct Row {
        const char* what;
        void (*fill)(Content&);
        const char* message;
    };
    const Row rows[] = {
        {"comments", [](Content& c) { c.dictionary.CommentLines().resize(65536); },
         "The project cannot be saved: it has more than 65535 comment lines."},
        {"dummy entries", [](Content& c) { c.deviceInfo.DummyUsage.dummyCount = 8; },
         "The project cannot be saved: the DummyUsage table has more than 7 entries."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Content c;
        row.fill(c);
        try {
            Save(c);
            ADD_FAILURE() << row.what << " were saved";
        } catch (const ArchiveException& error) {
            EXPECT_STREQ(error.what(), row.message);
        }
    }
}
