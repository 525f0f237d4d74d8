#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "ScriptedPlatform.h"
#include "check/DictionaryCheck.h"
#include "eds/CFileScan.h"
#include "model/ObjectDictionary.h"

// Small files read by the import and checked with its report: each row names the rules it watches and
// the findings of those rules it expects (none for a false alarm that must stay away). "{2000sub2}" in
// an expected line stands for the line of the section [2000sub2], "{NrOfRXPDO}" for that key's line.
namespace {

const char* const Preamble =
    "[FileInfo]\nFileName=t.eds\n[DeviceInfo]\nVendorName=V\nNrOfRXPDO=0\nNrOfTXPDO=0\n[DummyUsage]\n"
    "Dummy0001=0\n[MandatoryObjects]\nSupportedObjects=1\n1=0x1000\n[1000]\nParameterName=Device Type\n"
    "DataType=0x0007\nAccessType=ro\nDefaultValue=0\n";

struct FileCase {
    const char* what;
    std::string body;  // after the preamble: the other two lists and their sections
    ImportMode mode;
    std::set<std::string> rules;
    std::vector<std::string> expected;
};

std::string Var(const char* section, const char* type, const std::string& more = "") {
    return std::string("[") + section + "]\nParameterName=X\nDataType=" + type + "\nAccessType=rw\n" + more;
}

const std::string Manufacturer2000 = "[ManufacturerObjects]\nSupportedObjects=1\n1=0x2000\n";
const std::string NoOptional = "[OptionalObjects]\nSupportedObjects=0\n";
const std::string TransmitPdo =
    "[OptionalObjects]\nSupportedObjects=2\n1=0x1800\n2=0x1A00\n[1800]\nSubNumber=1\n"
    "ParameterName=TPDO\nObjectType=0x9\n[1800sub0]\nParameterName=N\nDataType=0x0005\n"
    "DefaultValue=1\n[1A00]\nSubNumber=2\nParameterName=Map\nObjectType=0x9\n";

const FileCase Cases[] = {
    {"an entry left out for its type does not make subindex 0 wrong",
     Manufacturer2000 + NoOptional + "[2000]\nSubNumber=3\nParameterName=R\nObjectType=0x9\n" +
         Var("2000sub0", "0x0005", "DefaultValue=2\n") + Var("2000sub1", "0x0006") +
         Var("2000sub2", "0x001B"),
     ImportMode::Standard,
     {"unsupported-data-type", "subindex-zero"},
     {"{2000sub2}: warning: 0x2000sub2: the import leaves this entry out: UNSIGNED64 not supported "
      "[unsupported-data-type]"}},
    {"a mapping of a left-out object says so",
     "[ManufacturerObjects]\nSupportedObjects=2\n1=0x2000\n2=0x2001\n" + TransmitPdo +
         Var("1A00sub0", "0x0005", "DefaultValue=1\n") +
         Var("1A00sub1", "0x0007", "DefaultValue=0x20000040\n") + Var("2000", "0x001B", "PDOMapping=1\n") +
         Var("2001", "0x0006"),
     ImportMode::Standard,
     {"pdo-mapping-target"},
     {"{1A00sub1}: error: 0x1A00sub1: maps 0x2000sub0, which the import left out: UNSIGNED64 not supported "
      "[pdo-mapping-target]"}},
    {"subindex sections beyond SubNumber",
     Manufacturer2000 + NoOptional + "[2000]\nSubNumber=1\nParameterName=R\nObjectType=0x9\n" +
         Var("2000sub0", "0x0005", "DefaultValue=1\n") + Var("2000sub1", "0x0006"),
     ImportMode::Standard,
     {"subnumber-surplus"},
     {"{2000sub1}: warning: 0x2000sub1: the subindex section stands beyond the index's SubNumber, so the "
      "import leaves it out [subnumber-surplus]"}},
    {"object sections in no list, read by the lenient import",
     Manufacturer2000 + NoOptional + Var("2000", "0x0006") + Var("2001", "0x0006"),
     ImportMode::Lenient,
     {"unlisted-object"},
     {"{2001}: warning: 0x2001: no object list names the section; the lenient import reads it "
      "[unlisted-object]"}},
    {"a listed index without a section, one outside the ranges",
     "[ManufacturerObjects]\nSupportedObjects=2\n1=0x2000\n2=0x0005\n" + NoOptional,
     ImportMode::Standard,
     {"listed-without-section", "index-out-of-range"},
     {"{2=0x0005}: warning: 0x0005: [ManufacturerObjects] names the index, outside 0x1000 to 0xFFFF, so the "
      "import leaves it out [index-out-of-range]",
      "{1=0x2000}: error: 0x2000: [ManufacturerObjects] names the index, but the file has no section for it "
      "[listed-without-section]"}},
    {"sections and keys that stand twice",
     Manufacturer2000 + NoOptional + Var("2000", "0x0006", "DefaultValue=1\nDefaultValue=2\n") +
         Var("2000", "0x0007"),
     ImportMode::Standard,
     {"duplicate-section", "duplicate-key"},
     {"{DefaultValue=2}: warning: 0x2000: the key DefaultValue of [2000] stands again; the one at line "
      "{DefaultValue=1} counts [duplicate-key]",
      "{last [2000]}: warning: 0x2000: the section [2000] stands again; the one at line {[2000]} counts "
      "[duplicate-section]"}},
    {"NrOfRXPDO against the receive PDOs present",
     "[ManufacturerObjects]\nSupportedObjects=0\n" + TransmitPdo +
         Var("1A00sub0", "0x0005", "DefaultValue=0\n"),
     ImportMode::Standard,
     {"pdo-count"},
     {"{NrOfTXPDO=0}: warning: NrOfTXPDO is 0, but the file has 1 transmit PDO (0x1800 to 0x19FF) "
      "[pdo-count]"}},
    {"absent limits and defaults are no values; MPDOs and node-ID texts are valid",
     "[ManufacturerObjects]\nSupportedObjects=3\n1=0x2000\n2=0x2001\n3=0x2002\n" + TransmitPdo +
         Var("1A00sub0", "0x0005", "DefaultValue=0xFE\n") +
         Var("2000", "0x0006", "LowLimit=5\nDefaultValue=7\n") +
         Var("2001", "0x0006", "LowLimit=5\nHighLimit=9\n") +
         Var("2002", "0x0002", "DefaultValue=-0x80\nLowLimit=-0x80\nHighLimit=$NODEID\n"),
     ImportMode::Standard,
     {"value-limits", "value-syntax", "pdo-mapping-count"},
     {}},
    {"a default below its only limit",
     Manufacturer2000 + NoOptional + Var("2000", "0x0006", "LowLimit=5\nDefaultValue=3\n"),
     ImportMode::Standard,
     {"value-limits"},
     {"{2000}: warning: 0x2000: default 3 is below the low limit 5 [value-limits]"}},
};

// The line number of the placeholder's text: "[name]" for a section, "key=value" as it stands, "last
// [name]" for the last time a section stands.
std::string Resolve(std::string line, const std::string& file) {
    for (std::size_t open; (open = line.find('{')) != std::string::npos;) {
        const std::size_t close = line.find('}', open);
        std::string what = line.substr(open + 1, close - open - 1);
        const bool last = what.rfind("last ", 0) == 0;
        if (last) {
            what = what.substr(5);
        }
        if (what.find('=') == std::string::npos && what.front() != '[') {
            what = "[" + what + "]";
        }
        const std::size_t at = last ? file.rfind("\n" + what + "\n") : file.find("\n" + what + "\n");
        const auto number =
            at == std::string::npos ? 0 : std::count(file.begin(), file.begin() + at + 1, '\n') + 1;
        line.replace(open, close - open + 1, std::to_string(number));
    }
    return line;
}

TEST(CheckFile, EachFileRuleFindsItsCaseAndNoFalseAlarm) {
    for (const FileCase& c : Cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string file = Preamble + c.body;
        const std::string path = dir.File("t.eds");
        WriteFileBytes(path, file);
        ObjectDictionary dictionary;
        FileInfoSection fileInfo;
        DeviceInfoSection deviceInfo;
        ScriptedPlatform platform;
        platform.AllowUnexpectedMessages();
        CFileScan scan(path, dictionary, fileInfo, deviceInfo, platform, c.mode);
        scan.ReadFile();
        const ImportReport report = scan.TakeReport();
        std::vector<std::string> lines;
        for (const Finding& finding : CheckDictionary(dictionary, deviceInfo, &report)) {
            if (c.rules.count(finding.rule) != 0) {
                lines.push_back(std::to_string(finding.line) + ": " + SeverityName(finding.severity) + ": " +
                                (finding.index ? LocationText(finding) + ": " : "") + finding.text + " [" +
                                finding.rule + "]");
            }
        }
        std::vector<std::string> expected;
        for (const std::string& line : c.expected) {
            expected.push_back(Resolve(line, file));
        }
        EXPECT_EQ(expected, lines);
    }
}

}  // namespace
