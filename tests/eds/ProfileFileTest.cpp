#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "EdsTestSupport.h"
#include "ParallelMode.h"
#include "eds/EdsFormat.h"
#include "eds/ImportReport.h"
#include "eds/ParseNumber.h"
#include "eds/ProfileFile.h"
#include "eds/SortRuns.h"
#include "eds/TextBuilder.h"

namespace {

const std::string Sample = CrLfLines({
    "; a comment before any section",
    "[DeviceInfo]",
    "VendorName  =   Some Vendor Ltd.  ",
    "\tProductName=\t\"Quoted\" ",
    "Empty=",
    "  ; Commented=1",
    "Twice=first",
    "twice=second",
    "[deviceinfo]",
    "Extra=from the repeated section",
    "[1018sub1]",
    "ParameterName=Vendor ID",
    "[Blank]",
    "",
    "[NoEquals]",
    "JustAKey",
});

TEST(ProfileFileTest, NamesMatchWithoutRegardToCase) {
    const ProfileFile file = ProfileFile::FromBytes(Sample);
    EXPECT_EQ("Some Vendor Ltd.", file.GetString("DEVICEINFO", "vendorname", ""));
    EXPECT_EQ("Vendor ID", file.GetString("1018Sub1", "PARAMETERNAME", ""));
    EXPECT_TRUE(file.HasKeys("1018SUB1"));
}

TEST(ProfileFileTest, ValuesAreTrimmedAndQuotesKept) {
    const ProfileFile file = ProfileFile::FromBytes(Sample);
    EXPECT_EQ("\"Quoted\"", file.GetString("DeviceInfo", "ProductName", ""));
}

TEST(ProfileFileTest, AbsentSectionOrKeyGivesTheDefault) {
    const ProfileFile file = ProfileFile::FromBytes(Sample);
    EXPECT_EQ("0x0", file.GetString("DeviceInfo", "Missing", "0x0"));
    EXPECT_EQ("0", file.GetString("Nowhere", "VendorName", "0"));
    EXPECT_EQ("", file.GetString("Nowhere", "VendorName", ""));
}

TEST(ProfileFileTest, EmptyValueIsEmptyNotTheDefault) {
    const ProfileFile file = ProfileFile::FromBytes(Sample);
    EXPECT_EQ("", file.GetString("DeviceInfo", "Empty", "0x0"));
    EXPECT_EQ(0u, file.GetString("DeviceInfo", "Empty", "").size());
}

TEST(ProfileFileTest, CommentsAreSkippedAndTheFirstOfTwiceCounts) {
    const ProfileFile file = ProfileFile::FromBytes(Sample);
    EXPECT_EQ("", file.GetString("DeviceInfo", "; Commented", ""));
    EXPECT_EQ("", file.GetString("DeviceInfo", "Commented", ""));
    EXPECT_EQ("first", file.GetString("DeviceInfo", "TWICE", ""));
    EXPECT_EQ("", file.GetString("DeviceInfo", "Extra", ""));
}

// The importer reads an object's keys in one walk over its section: each must read as GetString gives it.
TEST(ProfileFileTest, ASectionWalkedOnceGivesEachKeyAsALookUpDoes) {
    const ProfileFile file = ProfileFile::FromBytes(Sample);
    const std::size_t at = file.SectionAt("deviceinfo");
    ASSERT_NE(ProfileFile::NoSection, at);
    EXPECT_EQ(2u, file.SectionLineAt(at));
    std::vector<std::string> seen;
    file.ForEachKey(at, [&](std::string_view name, std::string_view value) {
        seen.push_back(std::string(name) + "=" + std::string(value));
        EXPECT_EQ(file.GetString("DeviceInfo", name, "?"), value);
        EXPECT_EQ(file.GetView("DeviceInfo", name, "?"), value);
    });
    EXPECT_EQ((std::vector<std::string>{"VendorName=Some Vendor Ltd.", "ProductName=\"Quoted\"",
                                        "Empty=", "Twice=first"}),
              seen);
    EXPECT_EQ(ProfileFile::NoSection, file.SectionAt("Absent"));
    EXPECT_FALSE(file.HasKeysAt(file.SectionAt("Blank")));
    EXPECT_EQ("-", file.GetView("Nowhere", "Key", "-"));
}

TEST(ProfileFileTest, HasKeysNeedsAKeyLine) {
    const ProfileFile file = ProfileFile::FromBytes(Sample);
    EXPECT_FALSE(file.HasKeys("Blank"));
    EXPECT_FALSE(file.HasKeys("Absent"));
    EXPECT_TRUE(file.HasKeys("NoEquals"));
    EXPECT_TRUE(file.HasKeys("DeviceInfo"));
}

TEST(ProfileFileTest, ValuesAreCutTo259Characters) {
    const std::string longValue(300, 'v');
    const ProfileFile file = ProfileFile::FromBytes("[S]\nKey=" + longValue + "\n");
    EXPECT_EQ(std::string(259, 'v'), file.GetString("S", "Key", ""));
    EXPECT_EQ(std::string(259, 'd'), file.GetString("S", "Absent", std::string(270, 'd')));
    // Blanks the cut leaves at the end go, as a read value has none.
    const ProfileFile blanks = ProfileFile::FromBytes("[S]\nKey=" + std::string(257, 'v') + "   tail\n");
    EXPECT_EQ(std::string(257, 'v'), blanks.GetString("S", "Key", ""));
    blanks.ForEachKey(blanks.SectionAt("S"), [](std::string_view, std::string_view value) {
        EXPECT_EQ(std::string(257, 'v'), value);
    });
}

TEST(ProfileFileTest, AcceptsLfAndCrLfLineEnds) {
    const ProfileFile lf = ProfileFile::FromBytes("[A]\nKey=1\n[B]\nKey=2");
    const ProfileFile crlf = ProfileFile::FromBytes("[A]\r\nKey=1\r\n[B]\r\nKey=2\r\n");
    for (const ProfileFile* file : {&lf, &crlf}) {
        EXPECT_EQ("1", file->GetString("A", "Key", ""));
        EXPECT_EQ("2", file->GetString("B", "Key", ""));
    }
}

TEST(ProfileFileTest, LeadingByteOrderMarkIsSkipped) {
    EXPECT_EQ("x.eds", ProfileFile::FromBytes("\xEF\xBB\xBF[FileInfo]\r\nFileName=x.eds\r\n")
                           .GetString("FileInfo", "FileName", ""));
}

TEST(ProfileFileTest, BadBytesNeverBreakIt) {
    for (const std::string& bytes :
         {std::string("[unclosed\nKey=1\n"), std::string("=\n[]\n=x\n"), std::string("\0\0[S]\0=\n", 8),
          std::string("key before section=1\n"), std::string("[S]\r\r\r\n\n\nK=\xff\xfe\r")}) {
        const ProfileFile file = ProfileFile::FromBytes(bytes);
        (void)file.GetString("S", "K", "");
        (void)file.HasKeys("");
    }
    EXPECT_EQ("1", ProfileFile::FromBytes("[unclosed\nKey=1\n").GetString("unclosed", "Key", ""));
}

// Everything a reader can learn of a parsed file, in order.
std::string Describe(const ProfileFile& file) {
    std::string out;
    for (const std::string_view name : file.SectionNames()) {
        const std::size_t section = file.SectionAt(name);
        out += "[" + std::string(name) + "] line " + std::to_string(file.SectionLineAt(section)) + "\n";
        file.ForEachKey(section, [&](std::string_view key, std::string_view value) {
            out += std::string(key) + "=" + std::string(value) + " line " +
                   std::to_string(file.KeyLine(name, key)) + "\n";
        });
    }
    for (const ProfileFile::Repeat& r : file.Repeats()) {
        out += "repeat [" + r.section + "] " + r.key + " line " + std::to_string(r.line) + " first " +
               std::to_string(r.firstLine) + "\n";
    }
    return out + file.ToBytes();
}

// A large file is parsed in two halves at once, cut where a line starts a section. Read that way, a file
// is the same: also where a section or a key of the second half repeats one of the first, where the
// second half repeats its own, and where a long section of many keys falls into the second half.
TEST(ProfileFileTest, FileParsedInTwoHalvesIsTheSame) {
    std::vector<std::string> lines = {
        "\xEF\xBB\xBF[FileInfo]", "FileName=x.eds", "Twice=1", "[Early]", "A=1", "[Both]",
        "Key=from the first half"};
    for (int i = 0; i < 40; ++i) {
        lines.push_back("[Filler" + std::to_string(i) + "]");
        lines.push_back("Value=" + std::to_string(i));
    }
    // The second half; [both] stands in the first half too.
    const std::vector<std::string> second = {"[both]",        "Key=from the second half",
                                             "Key=again",     "[Late]",
                                             "B=2",           "B=3",
                                             "[Late]",        "C=4",
                                             "  ; a comment", "[early]",
                                             "X=9",           "[BOTH]",
                                             "Y=1",           "[Long]"};
    lines.insert(lines.end(), second.begin(), second.end());
    for (int i = 0; i < 30; ++i) {
        lines.push_back("Key" + std::to_string(i) + " = " + std::to_string(i));
    }
    lines.push_back("key7=repeated in a long section");
    // A long section repeated: its keys, and the repeat of one of them, are all ignored.
    lines.push_back("[LONG]");
    for (int i = 0; i < 20; ++i) {
        lines.push_back("Other" + std::to_string(i) + "=x");
    }
    lines.push_back("Other3=again");
    lines.push_back("[After]");
    lines.push_back("Last=1");
    for (const bool crLf : {true, false}) {
        std::string text;
        for (const std::string& line : lines) {
            text += line + (crLf ? "\r\n" : "\n");
        }
        SCOPED_TRACE(crLf ? "CR LF" : "LF");
        // Keys set afterwards in a section of the second half, a new one and one replaced, land alike.
        const auto read = [&text](ParallelWork::Mode mode) {
            const ScopedParallelMode parallel(mode);
            ProfileFile file = ProfileFile::FromBytes(text);
            std::string described = Describe(file);
            file.SetString("Late", "New", "set");
            file.SetString("LONG", "key3", "replaced");
            return described + Describe(file);
        };
        const std::string whole = read(ParallelWork::Mode::Never);
        EXPECT_EQ(whole, read(ParallelWork::Mode::Always));
        EXPECT_NE(std::string::npos, whole.find("repeat [both]  line 88 first 6"));
        EXPECT_NE(std::string::npos, whole.find("repeat [Late] B line 93 first 92"));
        EXPECT_NE(std::string::npos, whole.find("repeat [LONG]  line 133 first 101"));
        EXPECT_EQ(std::string::npos, whole.find("Other"));
        EXPECT_NE(std::string::npos, whole.find("[After] line 155\nLast=1 line 156"));
    }
}

TEST(ProfileFileTest, SetStringAppendsSectionsAndKeysInOrder) {
    ProfileFile file;
    EXPECT_TRUE(file.SetString("First", "A", "1"));
    EXPECT_TRUE(file.SetString("Second", "B", "2"));
    EXPECT_TRUE(file.SetString("first", "C", "3"));
    EXPECT_TRUE(file.SetString("FIRST", "a", "replaced"));
    EXPECT_EQ("[First]\r\nA=replaced\r\nC=3\r\n[Second]\r\nB=2\r\n", file.ToBytes());
}

TEST(ProfileFileTest, ValueEndingInCrLfLeavesOneEmptyLine) {
    ProfileFile file;
    file.SetString("S", "Last", "x\r\n");
    file.SetString("T", "Key", "");
    EXPECT_EQ("[S]\r\nLast=x\r\n\r\n[T]\r\nKey=\r\n", file.ToBytes());
    const ProfileFile back = ProfileFile::FromBytes(file.ToBytes());
    EXPECT_EQ("x", back.GetString("s", "last", ""));
}

TEST(ProfileFileTest, LongSectionsAreSearchedByName) {
    std::string bytes = "[List]\n";
    for (int n = 1; n <= 500; ++n) {
        bytes += "Key" + std::to_string(n) + "=" + std::to_string(n * 2) + "\n";
    }
    bytes += "KEY7=repeated\n";
    const ProfileFile file = ProfileFile::FromBytes(bytes);
    EXPECT_EQ("14", file.GetString("list", "key7", ""));
    EXPECT_EQ("1000", file.GetString("LIST", "Key500", ""));
    EXPECT_EQ("none", file.GetString("List", "Key501", "none"));

    ProfileFile written;
    for (int n = 1; n <= 40; ++n) {
        written.SetString("S", "K" + std::to_string(n), "v");
    }
    written.SetString("s", "k33", "changed");
    EXPECT_EQ("changed", ProfileFile::FromBytes(written.ToBytes()).GetString("S", "K33", ""));
    EXPECT_EQ(std::string::npos, written.ToBytes().find("k33"));
}

TEST(ProfileFileTest, SetStringOnAReadFileKeepsItsOrder) {
    std::string bytes = "[Long]\n";
    for (int n = 1; n <= 20; ++n) {
        bytes += "K" + std::to_string(n) + "=" + std::to_string(n) + "\n";
    }
    bytes += "[Short]\nA = 1 \n[Last]\nZ=9\n";
    ProfileFile file = ProfileFile::FromBytes(bytes);
    EXPECT_TRUE(file.SetString("short", "a", "replaced"));
    EXPECT_TRUE(file.SetString("SHORT", "B", "2"));
    EXPECT_TRUE(file.SetString("long", "K21", "21"));
    EXPECT_TRUE(file.SetString("Long", "k7", "seven"));
    EXPECT_TRUE(file.SetString("New", "N", "x"));
    EXPECT_EQ("seven", file.GetString("LONG", "K7", ""));
    EXPECT_EQ("21", file.GetString("Long", "K21", ""));
    EXPECT_EQ("20", file.GetString("Long", "K20", ""));
    EXPECT_EQ("2", file.GetString("Short", "b", ""));
    const std::string text = file.ToBytes();
    EXPECT_EQ(0u, text.find("[Long]\r\nK1=1\r\n"));
    EXPECT_NE(std::string::npos, text.find("K6=6\r\nK7=seven\r\nK8=8\r\n"));
    EXPECT_NE(std::string::npos, text.find("K20=20\r\nK21=21\r\n[Short]\r\nA=replaced\r\nB=2\r\n[Last]\r\n"
                                           "Z=9\r\n[New]\r\nN=x\r\n"));
}

TEST(ProfileFileTest, LoadedFileKeepsItsValues) {
    TempDir dir;
    const std::string path = dir.File("tiny.ini");
    WriteFileBytes(path, "[S]\nK=1");
    DiskFileSystem files;
    std::string error;
    std::optional<ProfileFile> file = ProfileFile::Load(files, path, error);
    ASSERT_TRUE(file.has_value());
    ProfileFile moved = std::move(*file);
    EXPECT_EQ("1", moved.GetString("s", "k", ""));
    EXPECT_FALSE(ProfileFile::Load(files, dir.File("absent.ini"), error).has_value());
    EXPECT_FALSE(error.empty());
}

TEST(ShortTextTest, MatchesPrintfForTheFormatsOfTheFile) {
    EXPECT_EQ("1018sub1A", ShortText().Hex(0x1018, 4).Text("sub").Hex(0x1A).View());
    EXPECT_EQ("000F", ShortText().Hex(0xF, 4).View());
    EXPECT_EQ("0xFFFFFFFF", ShortText().Text("0x").Hex(0xFFFFFFFFu).View());
    EXPECT_EQ("0x0", ShortText().Text("0x").Hex(0).View());
    EXPECT_EQ("Dummy000a", ShortText().Text("Dummy").Hex(10, 4, true).View());
    EXPECT_EQ(
        "-2147483648 0 4294967295",
        ShortText().Decimal(-2147483647 - 1).Text(" ").Decimal(0).Text(" ").Decimal(0xFFFFFFFFu).View());
    // A text longer than the room is cut, never written past it.
    EXPECT_EQ(std::string(48, 'x'), ShortText().Text(std::string(60, 'x')).Hex(0xAB).Decimal(5).View());
}

struct NumberCase {
    const char* text;
    std::uint32_t value;
};

TEST(ParseNumberTest, ReadsHexDecimalAndLetters) {
    const NumberCase cases[] = {
        {"0x0007", 7},
        {"7", 7},
        {"0007", 7},
        {"1F", 0x1F},
        {"", 0},
        {"0X1a", 0x1A},
        {"1018", 1018},
        {"0x1018", 0x1018},
        {"-1", 0xFFFFFFFFu},
        {"-2147483648", 0x80000000u},
        {"2147483648", 0x80000000u},
        {"-2147483649", 0x7FFFFFFFu},
        {"4294967295", 0xFFFFFFFFu},
        {"4294967296", 0},
        {"0xFFFFFFFF", 0xFFFFFFFFu},
        {"0x1FFFFFFFF", 0xFFFFFFFFu},
        {"0x12 ", 0x12},
        {"0xG", 0},
        {"0x0x5", 0},
        {"abc", 0xABC},
        {"12 (see note)", 0x12},
        {"garbage", 0},
        {"$NODEID+0x180", 0},
        {"  42", 42},
        {"0x", 0},
        {"+5", 5},
        {"10.5", 10},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(c.value, ParseNumber(c.text)) << c.text;
    }
}

TEST(ParseNumberTest, LeadingIntReadsDecimalDigitsOnly) {
    EXPECT_EQ(0, ParseLeadingInt("0x3"));
    EXPECT_EQ(3, ParseLeadingInt(" 3abc"));
    EXPECT_EQ(-2, ParseLeadingInt("-2"));
    EXPECT_EQ(0, ParseLeadingInt(""));
    EXPECT_EQ(2147483647, ParseLeadingInt("99999999999999999999"));
}

}  // namespace

// Sorting what a file lists list by list: the fast paths must give what a stable sort gives, equal keys
// in their order included.
TEST(SortRunsTest, GivesWhatAStableSortGives) {
    using Table = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
    const auto byKey = [](const auto& a, const auto& b) { return a.first < b.first; };
    const auto numbered = [](std::initializer_list<std::uint32_t> keys) {
        Table table;
        for (const std::uint32_t key : keys) {
            table.emplace_back(key, static_cast<std::uint32_t>(table.size()));
        }
        return table;
    };
    std::vector<Table> cases = {
        numbered({}), numbered({1, 2, 2, 3}),
        numbered({1, 5, 9, 2, 5, 7, 0, 5}),                 // three runs, a key in each
        numbered({9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 5, 5, 1}),  // too many runs to merge
    };
    // As the import records entries: each index's own section first, then its subindices, list by list;
    // the last index holds its own section twice.
    cases.push_back(numbered({0x1000FFFF, 0x1018FFFF, 0x10180000, 0x10180001, 0x2000FFFF, 0x20000000,
                              0x20000001, 0x1001FFFF, 0x1001FFFF, 0x10010000, 0x10010001}));
    for (Table table : cases) {
        Table expected = table;
        std::stable_sort(expected.begin(), expected.end(), byKey);
        SortRuns(table.begin(), table.end(), byKey);
        EXPECT_EQ(expected, table);
    }
    ImportReport report;
    report.entryLines = cases.back();
    std::stable_sort(cases.back().begin(), cases.back().end(), byKey);
    report.Finish();
    EXPECT_EQ(cases.back(), report.entryLines);
    EXPECT_EQ(7u, report.EntryLine(0x1001, 0xFFFD));
}

TEST(TextBuilderTest, GrowsKeepingItsTextAndHandsItOver) {
    TextBuilder text;
    EXPECT_TRUE(text.Empty());
    text.Reserve(4);
    text.Append("abc");
    // Past the room reserved, and past twice that: what was written stays.
    std::string expected = "abc";
    for (int i = 0; i < 100; ++i) {
        const std::string piece = std::to_string(i) + ";";
        std::memcpy(text.Extend(piece.size()), piece.data(), piece.size());
        expected += piece;
    }
    text.Append("");
    text.Reserve(1);
    EXPECT_EQ(expected, text.View());
    EXPECT_EQ(expected.size(), text.Size());
    EXPECT_EQ(expected, text.Take());
    EXPECT_TRUE(text.Empty());
    text.Append("again");
    EXPECT_EQ("again", text.View());
    text.Clear();
    EXPECT_EQ(0u, text.Size());
}
