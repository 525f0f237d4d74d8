#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

#include "DictionaryBuilder.h"
#include "GeneratorTestSupport.h"
#include "MemoryFileSystem.h"
#include "ScriptedPlatform.h"
#include "generator/CSourceGenerator.h"
#include "generator/Identifiers.h"

namespace {

std::string Printf(const char* format, auto... args) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

TEST(FormatLineTest, MatchesPrintfForTheFormatsTheFilesUse) {
    EXPECT_EQ(Printf("0x%4X|0x%04X|0x%02X", 0x1000u, 0xABu, 0x1FFu),
              FormatLine("0x%4X|0x%04X|0x%02X", {0x1000u, 0xABu, 0x1FFu}));
    EXPECT_EQ(Printf("0x%4X", 0xAu), FormatLine("0x%4X", {0xAu}));
    EXPECT_EQ(Printf("%1X|%01x|%016X|%-4X|%02X", 0u, 0xABu, 0xFFFFFFFFu, 0xAu, -1),
              FormatLine("%1X|%01x|%016X|%-4X|%02X", {0u, 0xABu, 0xFFFFFFFFu, 0xAu, -1}));
    EXPECT_EQ(Printf("%X %X %x %08x", 0xFFFFFFFFu, 0u, 0xABCDEF12u, 0x1Fu),
              FormatLine("%X %X %x %08x", {0xFFFFFFFFu, 0u, 0xABCDEF12u, 0x1Fu}));
    EXPECT_EQ(Printf("%i %i %d", -2147483647 - 1, 2147483647, -5),
              FormatLine("%i %i %d", {-2147483647 - 1, 2147483647, -5}));
    EXPECT_EQ(Printf("%02d.%02d.%02d", 6, 12, 2026), FormatLine("%02d.%02d.%02d", {6, 12, 2026}));
    EXPECT_EQ(Printf("%05d|%5d|%-5d|%05X|%02d|%-3s|%3s", -42, -42, -42, 0xABu, -7, "ab", "ab"),
              FormatLine("%05d|%5d|%-5d|%05X|%02d|%-3s|%3s", {-42, -42, -42, 0xABu, -7, "ab", "ab"}));
    EXPECT_EQ(Printf("%s,%d,\"%s\"", "Name", 4, "abc"), FormatLine("%s,%d,\"%s\"", {"Name", 4, "abc"}));
    EXPECT_EQ("100%", FormatLine("100%%", {}));
    for (double value : {0.0, -0.0, 55.25, 0.125, 1e10, 1e-5, 123456.0, 1234567.0, 0.0001, -2.5,
                         3.4028234663852886e38, 1.17549435e-38, 100000.0, 999999.5, double{0.1f * 3}}) {
        EXPECT_EQ(Printf("%g", value), FormatLine("%g", {value})) << value;
    }
}

TEST(FormatLineTest, AppendsAfterWhatTheBufferHolds) {
    std::string line = "keep|";
    AppendFormatted(line, "%s%c %-4d|%5s|", {"ab", 'c', 7, "xy"});
    EXPECT_EQ("keep|" + Printf("%s%c %-4d|%5s|", "ab", 'c', 7, "xy"), line);
    AppendFormatted(line, "no conversion", {});
    EXPECT_EQ("keep|abc 7   |   xy|no conversion", line);
}

TEST(FormatLineTest, AFormatTakenApartOnceGivesTheSameLines) {
    const char* formats[] = {
        "            OBD_SUBINDEX_RAM_VAR_RG(0x%04X, 0x%02X, 0x%02X, %s, %s, %i, %i, %g)\r\n",
        "100%% of %s%c|%-4d|%05d",
        "no conversion",
        "",
        "%s and a lone %",
        "%d %d %d %d %d %d %d %d %d",  // more conversions than arguments
    };
    for (const char* format : formats) {
        std::string expected = "keep|";
        std::string line = expected;
        AppendFormatted(expected, format, {"ab", 'c', -7, 42, 0x2010u, 2.5, "x", 3});
        ParsedFormat(format).Append(line, {"ab", 'c', -7, 42, 0x2010u, 2.5, "x", 3});
        EXPECT_EQ(expected, line) << format;
    }
}

TEST(FormatLineTest, RealsKeepTheirPointWhateverTheProcessLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    bool switched = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            switched = true;
            break;
        }
    }
    const std::string text = FormatLine("%g, %g", {55.25, -0.5});
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ("55.25, -0.5", text);
    if (!switched) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
}

TEST(IdentifierTest, DesignatorsBecomeIdentifiers) {
    const std::pair<std::string, std::string> cases[] = {
        {"Device Type", "Device_Type"},
        {"Error Register (1001h)", "Error_Register_1001h"},
        {"Consumer Heartbeat Time #1", "Consumer_Heartbeat_Time_1"},
        {"Temp. [degC]", "Temp_degC"},
        {"COB-ID used by RPDO", "COBID_used_by_RPDO"},
        {"*.-#'()][{}/\\&%$\xA7\"!:;+~\xF6\xFC\xE4\xD6\xDC\xC4?\xB4`=Kept", "Kept"},
        {" two  blanks ", "_two__blanks_"},
        {"already_valid_9", "already_valid_9"},
        // Left invalid by the removal rule: mended so that every C compiler accepts them.
        {"Max, Min", "Max__Min"},
        {"1st value", "_1st_value"},
        {"1st supported homing method", "_1st_supported_homing_method"},
        {"()", "_"},
        {"", "_"},
        {"a<b>c@d^e|f", "a_b_c_d_e_f"},
        {"Gr\xF6\xDF"
         "e",
         "Gr_e"},
        {"\xE9t\xE9", "_t_"},
        {"int", "_int"},
        {"_Bool", "__Bool"},
        {"Int", "Int"},
    };
    for (const auto& [designator, identifier] : cases) {
        EXPECT_EQ(identifier, IdentifierFromDesignator(designator)) << designator;
    }
}

TEST(IdentifierTest, StringLiteralsAreEscaped) {
    EXPECT_EQ("plain text", EscapeStringLiteral("plain text"));
    EXPECT_EQ("say \\\"hi\\\"", EscapeStringLiteral("say \"hi\""));
    EXPECT_EQ("C:\\\\dev\\\\", EscapeStringLiteral("C:\\dev\\"));
    EXPECT_EQ("a\\015\\012#define X", EscapeStringLiteral("a\r\n#define X"));
    EXPECT_EQ("\\0011", EscapeStringLiteral("\x01"
                                            "1"));
    EXPECT_EQ("\xE4\xF6", EscapeStringLiteral("\xE4\xF6"));
}

TEST(IdentifierTest, TypeNamesFollowTheDataTypeCode) {
    EXPECT_STREQ("tObdBoolean", StackTypeName(0x01));
    EXPECT_STREQ("tObdUnsigned32", StackTypeName(0x07));
    EXPECT_STREQ("tObdTimeDifference", StackTypeName(0x0D));
    EXPECT_STREQ("tObdDomain", StackTypeName(0x0F));
    EXPECT_STREQ("tObdUnsigned24", StackTypeName(0x16));
    EXPECT_STREQ("tObdUnsigned64", StackTypeName(0x1B));
    for (int code : {0x00, 0x0E, 0x17, 0x1C, 0x20, 0x23, 0xFF}) {
        EXPECT_EQ(nullptr, StackTypeName(static_cast<std::uint8_t>(code))) << code;
    }
}

TEST(AccessFlagsTest, CombineAccessMappingAndNonVolatile) {
    struct Case {
        const char* access;
        std::uint8_t pdoMapping;
        std::uint32_t nonVolatile;
        std::uint8_t flags;
    };
    const Case cases[] = {{"const", 0, 0, 0x01}, {"ro", 0, 0, 0x01},    {"wo", 0, 0, 0x02},
                          {"rw", 0, 0, 0x03},    {"rwr", 0, 0, 0x03},   {"rww", 1, 1, 0x8B},
                          {"RW", 0, 0, 0x00},    {"", 1, 0, 0x08},      {"ro", 2, 0, 0x01},
                          {"ro", 0, 7, 0x81},    {"rx", 0, 0, 0x00},    {"rwx", 0, 0, 0x00},
                          {"CONST", 0, 0, 0x00}, {"const_", 0, 0, 0x00}};
    for (const Case& c : cases) {
        SubindexEntry entry;
        entry.accessType = c.access;
        entry.pdoMapping = c.pdoMapping;
        entry.nonVolatile = c.nonVolatile;
        EXPECT_EQ(c.flags, CSourceGenerator::AccessFlags(entry)) << c.access;
    }
}

// Generates into memory and returns "objdict.h" and "obdcfg.h" joined.
std::string GenerateHeaders(ObjectDictionary& dictionary) {
    MemoryFileSystem files;
    ScriptedPlatform platform;
    platform.SetFiles(&files);
    platform.AllowUnexpectedMessages();
    EXPECT_EQ(GenOk, RunGeneration(dictionary, platform, "/o/objdict.c"));
    return files.Bytes("/o/objdict.h") + files.Bytes("/o/obdcfg.h");
}

std::string Define(const std::string& name, int value) {
    std::string line = "#define     " + name;
    line.resize(45, ' ');
    return line + std::to_string(value) + "\r\n";
}

TEST(ConfigurationCountsTest, SdoServersStartAtOneAndSkip0x1200) {
    struct Case {
        std::vector<std::uint16_t> servers;
        int expected;
    };
    for (const Case& c : {Case{{}, 1}, Case{{0x1200}, 1}, Case{{0x1200, 0x1201}, 2}, Case{{0x1201}, 2},
                          Case{{0x1200, 0x1201, 0x127F}, 3}}) {
        ObjectDictionary dictionary;
        for (std::uint16_t index : c.servers) {
            DictionaryBuilder(dictionary).RecordOfValues(index, "Server", {"0x600", "0x580"});
        }
        EXPECT_NE(std::string::npos,
                  GenerateHeaders(dictionary).find(Define("SDO_MAX_SERVER_IN_OBD", c.expected)))
            << c.servers.size();
    }
}

TEST(ConfigurationCountsTest, ListCountsFollowTheEntriesNotSubindexZero) {
    ObjectDictionary dictionary;
    DictionaryBuilder b(dictionary);
    b.RecordOfValues(0x1003, "Errors", {"0", "0", "0", "0"});
    b.Sub(0x1003, 0x05, {.name = "Not written", .dataType = 0x07, .access = "xx"});
    b.RecordOfValues(0x1280, "Client", {"1"});
    b.RecordOfValues(0x1281, "Client", {"1"});
    const std::string headers = GenerateHeaders(dictionary);
    EXPECT_NE(std::string::npos, headers.find(Define("EMCP_MAX_ERROR_ENTRIES_IN_OBD", 5)));
    EXPECT_NE(std::string::npos, headers.find(Define("SDO_MAX_CLIENT_IN_OBD", 2)));
    EXPECT_NE(std::string::npos, headers.find("OBD_CREATE_SDOC(0x1281, 0x01, 0x0001, 0x0000, 0x00)"));

    ObjectDictionary single;
    DictionaryBuilder(single).Var(0x1016, {.name = "Consumer Heartbeat Time", .value = "5"});
    EXPECT_NE(std::string::npos, GenerateHeaders(single).find(Define("HBC_MAX_CONSUMER_IN_OBD", 0)));
}

TEST(PdoLinesTest, RunningNumbersCountOnlyWrittenLines) {
    ObjectDictionary dictionary;
    DictionaryBuilder b(dictionary);
    b.RecordOfValues(0x1800, "TPDO 1", {"0x181"});
    b.RecordOfValues(0x1801, "TPDO 2", {"0x182"});
    b.RecordOfValues(0x1A00, "TPDO 1 mapping", {"0x60000108"});
    b.RecordOfValues(0x1A01, "TPDO 2 mapping", {"0x60000108"});
    b.RecordOfValues(0x1A05, "Orphan", {"0x1"});
    b.RecordOfValues(0x1A06, "Orphan", {"0x1"});
    b.RecordOfValues(0x1806, "Late partner", {"0x186"});  // inserted in order before 0x1A00
    const std::string headers = GenerateHeaders(dictionary);
    EXPECT_NE(std::string::npos, headers.find("OBD_CREATE_TXPDO_COMMU(0x1806, 0x02, 0x186, 0x0, 0x0, 0x0)"));
    EXPECT_NE(std::string::npos, headers.find("OBD_CREATE_TXPDO_MAPP(0x1A01, 0x01, 0x01, 0x60000108"));
    EXPECT_EQ(std::string::npos, headers.find("OBD_CREATE_TXPDO_MAPP(0x1A05"));
    EXPECT_NE(std::string::npos, headers.find("OBD_CREATE_TXPDO_MAPP(0x1A06, 0x02, 0x01, 0x1,"));
    EXPECT_NE(std::string::npos, headers.find(Define("PDO_MAX_TXPDO_IN_OBD", 3)));
}

// COB-IDs given relative to the node-ID are written as the base the stack adds the node-ID to.
TEST(PdoLinesTest, NodeIdRelativeValuesGiveTheirBase) {
    ObjectDictionary dictionary;
    DictionaryBuilder b(dictionary);
    b.RecordOfValues(0x1200, "Server SDO", {"$NODEID+0x600", "0x580 + $nodeid"});
    b.Var(0x1014, {.name = "COB-ID EMCY", .value = "$NodeID+0x80"});
    b.RecordOfValues(0x1400, "RPDO 1", {"$NODEID+0x200"});
    b.RecordOfValues(0x1600, "RPDO 1 mapping", {"0x60000108"});
    b.RecordOfValues(0x1800, "TPDO 1", {"$NODEID+0x180"});
    b.RecordOfValues(0x1A00, "TPDO 1 mapping", {"0x60000108"});
    const std::string headers = GenerateHeaders(dictionary);
    EXPECT_NE(std::string::npos, headers.find("OBD_CREATE_SDOS(0x1200, 0x00, 0x0600, 0x0580, 0x00)"));
    EXPECT_NE(std::string::npos,
              headers.find("OBD_SUBINDEX_RAM_VAR(0x1014, 0x00, 0x07, 0x03, tObdUnsigned32, "
                           "COBID_EMCY, 0x80)"));
    EXPECT_NE(std::string::npos, headers.find("OBD_CREATE_RXPDO_COMMU(0x1400, 0x00, 0x200, 0x0, 0x0, 0x0)"));
    EXPECT_NE(std::string::npos, headers.find("OBD_CREATE_TXPDO_COMMU(0x1800, 0x00, 0x180, 0x0, 0x0, 0x0)"));
}

// Entries of the basic types without a line are left out, counted and the first named; const DOMAINs
// and entries of unknown types are not counted.
TEST(LeftOutEntriesTest, TheNoteCountsTheWiderTypesAndNamesTheFirst) {
    ObjectDictionary dictionary;
    DictionaryBuilder b(dictionary);
    b.Var(0x1000, {.name = "Device Type", .value = "0"});
    b.Var(0x2000, {.name = "Blob", .dataType = 0x0F, .access = "const"});
    b.Var(0x2001, {.name = "Odd", .dataType = 0x30});
    b.Record(0x2002, "Wide");
    b.Sub(0x2002, 0, {.name = "Count", .dataType = 0x05, .value = "2"});
    b.Sub(0x2002, 1, {.name = "Big", .dataType = 0x1B, .value = "0x1122334455667788"});
    b.Sub(0x2002, 2, {.name = "Flag", .dataType = 0x01, .value = "1"});
    b.Var(0x6000, {.name = "Time", .dataType = 0x0C});
    MemoryFileSystem files;
    ScriptedPlatform platform;
    platform.SetFiles(&files);
    platform.AllowUnexpectedMessages();
    CSourceGenerator generator(dictionary, platform);
    ASSERT_EQ(GenOk, generator.GenerateFiles("/o/objdict.c"));
    EXPECT_EQ(
        "3 entries were left out, as their data type has no line in the generated sources; the first: "
        "0x2002sub1.",
        generator.LeftOutNote());
    EXPECT_EQ(std::string::npos, files.Bytes("/o/objdict.h").find("0x2002, 0x01"));

    ObjectDictionary single;
    DictionaryBuilder(single).Var(0x2000, {.name = "Time", .dataType = 0x0D});
    CSourceGenerator second(single, platform);
    ASSERT_EQ(GenOk, second.GenerateFiles("/o/objdict.c"));
    EXPECT_EQ("1 entry was left out, as its data type has no line in the generated sources: 0x2000.",
              second.LeftOutNote());
}

}  // namespace

namespace {

TEST(LongLinesTest, TextsOfAnyLengthAreWrittenWhole) {
    ObjectDictionary dictionary;
    const std::string text(5000, 'q');
    DictionaryBuilder(dictionary)
        .Var(0x2000, {.name = std::string(3000, 'N'), .dataType = 0x09, .value = text});
    const std::string headers = GenerateHeaders(dictionary);
    EXPECT_NE(std::string::npos, headers.find("OBD_SUBINDEX_RAM_VSTRING(0x2000, 0x00, 0x03, " +
                                              std::string(3000, 'N') + ",5000,\"" + text + "\")\r\n"));
}

}  // namespace
