#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <regex>
#include <sstream>

#include "CliRunner.h"
#include "ScriptedPlatform.h"

// Every corpus file that imports keeps its node-ID-relative values through the command-line tool: the
// exported EDS carries each such text as the file gave it, and the generated dictionary header
// carries the node-ID-free base (0x180 for $NODEID+0x180). The files are read here with a small INI
// scan of their own, independent of the program's reader.
namespace {

using Keys = std::map<std::string, std::string>;  // lower-case key -> value
using Sections = std::map<std::string, Keys>;     // lower-case section name -> keys

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    const auto last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

Sections ReadSections(const std::string& bytes) {
    Sections sections;
    Keys* current = nullptr;
    std::istringstream lines(bytes);
    for (std::string line; std::getline(lines, line);) {
        line = Trim(line);
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            current = &sections[Lower(line.substr(1, line.size() - 2))];
        } else if (current != nullptr && !line.empty() && line.front() != ';' &&
                   line.find('=') != std::string::npos) {
            const auto equals = line.find('=');
            current->emplace(Lower(Trim(line.substr(0, equals))), Trim(line.substr(equals + 1)));
        }
    }
    return sections;
}

std::string Value(const Keys& keys, const std::string& key) {
    const auto found = keys.find(key);
    return found == keys.end() ? std::string() : found->second;
}

// n of "$NODEID+n" or "n+$NODEID" when n is a plain hexadecimal or decimal number.
std::optional<std::uint32_t> NodeIdBase(const std::string& text) {
    static const std::regex form(
        R"(^\$nodeid *\+ *(0x[0-9a-f]+|[0-9]+)$|^(0x[0-9a-f]+|[0-9]+) *\+ *\$nodeid$)", std::regex::icase);
    std::smatch match;
    if (!std::regex_match(text, match, form)) {
        return std::nullopt;
    }
    const std::string n = match[1].matched ? match[1].str() : match[2].str();
    if (n.rfind("0X", 0) == 0) {
        return std::nullopt;  // not a hexadecimal prefix to the value rule
    }
    const bool hex = n.rfind("0x", 0) == 0;
    return static_cast<std::uint32_t>(std::strtoul(n.c_str() + (hex ? 2 : 0), nullptr, hex ? 16 : 10));
}

std::string Hex(const char* format, unsigned value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The arguments of the first line of the header that starts with the given text ("" when none).
std::vector<std::string> Arguments(const std::string& header, const std::string& start) {
    const auto at = header.find(start);
    if (at == std::string::npos) {
        return {};
    }
    const auto open = header.find('(', at);
    const auto close = header.find(')', open);
    std::vector<std::string> arguments;
    std::istringstream list(header.substr(open + 1, close - open - 1));
    for (std::string argument; std::getline(list, argument, ',');) {
        arguments.push_back(Trim(argument));
    }
    return arguments;
}

// Checks that the header writes the base of an UNSIGNED32 default given relative to the node-ID, in
// the line the section's entry produces: the COB-ID of a PDO, the COB-IDs of an SDO parameter, or
// the default of an ordinary entry.
void ExpectBaseInHeader(const std::string& header, const std::string& section, std::uint32_t base) {
    const unsigned index = static_cast<unsigned>(std::strtoul(section.substr(0, 4).c_str(), nullptr, 16));
    const auto sub = section.find("sub");
    const bool single = sub == std::string::npos;
    const unsigned subindex =
        single ? 0 : static_cast<unsigned>(std::strtoul(section.c_str() + sub + 3, nullptr, 16));
    SCOPED_TRACE(section);
    if ((index >= 0x1400 && index <= 0x15FF) || (index >= 0x1800 && index <= 0x19FF)) {
        if (subindex == 1) {
            const auto args = Arguments(header, Hex("PDO_COMMU(0x%04X,", index));
            ASSERT_GE(args.size(), 3u);
            EXPECT_EQ(args[2], Hex("0x%X", base == 0 ? 0x80000000u : base));
        }
        return;
    }
    if (index >= 0x1200 && index <= 0x12FF) {
        if (subindex == 1 || subindex == 2) {
            const auto args = Arguments(
                header, Hex(index < 0x1280 ? "OBD_CREATE_SDOS(0x%04X," : "OBD_CREATE_SDOC(0x%04X,", index));
            ASSERT_GE(args.size(), 4u);
            EXPECT_EQ(args[1 + subindex], Hex("0x%04X", base));
        }
        return;
    }
    const std::string prefix = Hex("(0x%04X, ", index) + Hex("0x%02X, ", subindex);
    const auto args = Arguments(header, prefix);
    ASSERT_GE(args.size(), 7u) << prefix;
    EXPECT_EQ(args[6], Hex("0x%X", base));
}

}  // namespace

TEST(CliCorpus, NodeIdTextsAreExportedAsGivenAndGeneratedAsTheirBase) {
    const std::vector<std::string> files = EdsFilesIn(QM_CORPUS_DIR);
    ASSERT_GE(files.size(), 38u);
    int kept = 0;
    int based = 0;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        TempDir dir;
        if (RunCli({"convert", file, dir.File("out.eds")}).exitCode != 0) {
            continue;  // refused by the importer
        }
        const CliResult generated = RunCli({"generate", file, dir.File("objdict.c")});
        ASSERT_EQ(generated.exitCode, 0) << generated.err;
        const std::string header = ReadFileBytes(dir.File("objdict.h"));
        const Sections input = ReadSections(ReadFileBytes(file));
        const Sections exported = ReadSections(ReadFileBytes(dir.File("out.eds")));
        for (const auto& [name, keys] : input) {
            const auto out = exported.find(name);
            if (out == exported.end()) {
                continue;  // not imported: not listed, or of an unsupported data type
            }
            for (const char* key : {"defaultvalue", "lowlimit", "highlimit"}) {
                const std::string value = Value(keys, key);
                if (Lower(value).find("$nodeid") == std::string::npos) {
                    continue;
                }
                EXPECT_EQ(Value(out->second, key), value) << name << " " << key;
                ++kept;
                const std::optional<std::uint32_t> base = NodeIdBase(value);
                if (std::string(key) == "defaultvalue" && base &&
                    std::strtoul(Value(keys, "datatype").c_str(), nullptr, 0) == 0x7) {
                    ExpectBaseInHeader(header, name, *base);
                    ++based;
                }
            }
        }
    }
    // Most of the corpus gives its COB-IDs relative to the node-ID.
    EXPECT_GE(kept, 200);
    EXPECT_GE(based, 190);
}

namespace {

// A declared default and the exported one are the same value: numbers by value (the export writes its
// own form), anything else (node-ID forms) as text. A missing default reads as 0.
bool SameValue(std::string declared, const std::string& exported) {
    declared = declared.empty() ? "0" : declared;
    char* end = nullptr;
    const auto integer = [&end](const std::string& text) { return std::strtoull(text.c_str(), &end, 0); };
    const unsigned long long a = integer(declared);
    const bool aWhole = *end == '\0';
    const unsigned long long b = integer(exported);
    if (aWhole && *end == '\0') {
        return a == b;
    }
    const double x = std::strtod(declared.c_str(), &end);
    const bool xWhole = *end == '\0';
    const double y = std::strtod(exported.c_str(), &end);
    return xWhole && *end == '\0' ? x == y : declared == exported;
}

}  // namespace

// A lenient import of the corpus files that describe arrays with CompactSubObj exports every subindex
// the array declares: subindex 0 with the count, then each with the name from [xxxxName] or the
// array's name and number, and the default from [xxxxValue] or the array's default.
TEST(CliCorpus, CompactArraysAreExportedWithEverySubindex) {
    int files = 0;
    int arrays = 0;
    for (const std::string& file : EdsFilesIn(QM_CORPUS_DIR)) {
        const std::string bytes = ReadFileBytes(file);
        if (Lower(bytes).find("compactsubobj") == std::string::npos) {
            continue;
        }
        SCOPED_TRACE(file);
        ++files;
        TempDir dir;
        const CliResult converted = RunCli({"--lenient", "convert", file, dir.File("out.eds")});
        ASSERT_EQ(converted.exitCode, 0) << converted.err;
        const Sections input = ReadSections(bytes);
        const Sections exported = ReadSections(ReadFileBytes(dir.File("out.eds")));
        for (const auto& [name, keys] : input) {
            const unsigned count = std::strtoul(Value(keys, "compactsubobj").c_str(), nullptr, 0);
            const auto out = exported.find(name);
            if (count == 0 || !Value(keys, "subnumber").empty() || out == exported.end()) {
                continue;  // not compact, or not imported (unlisted, or of an unsupported data type)
            }
            SCOPED_TRACE(name);
            ++arrays;
            EXPECT_EQ(std::strtoul(Value(out->second, "subnumber").c_str(), nullptr, 0), count + 1);
            const Keys none;
            const auto names = input.find(name + "name");
            const auto values = input.find(name + "value");
            const Keys& declaredNames = names == input.end() ? none : names->second;
            const Keys& declaredValues = values == input.end() ? none : values->second;
            for (unsigned s = 0; s <= count; ++s) {
                const auto sub = exported.find(name + "sub" + Lower(Hex("%X", s)));
                ASSERT_NE(sub, exported.end()) << s;
                const std::string number = std::to_string(s);
                std::string expectedName = s == 0 ? "NrOfObjects" : Value(declaredNames, number);
                if (expectedName.empty()) {
                    expectedName = Value(keys, "parametername") + " " + number;
                }
                std::string expectedDefault = s == 0 ? std::to_string(count) : Value(declaredValues, number);
                if (expectedDefault.empty()) {
                    expectedDefault = Value(keys, "defaultvalue");
                }
                EXPECT_EQ(Value(sub->second, "parametername"), expectedName);
                EXPECT_TRUE(SameValue(expectedDefault, Value(sub->second, "defaultvalue")))
                    << s << ": " << expectedDefault << " / " << Value(sub->second, "defaultvalue");
            }
        }
    }
    EXPECT_EQ(files, 5);
    EXPECT_GE(arrays, 10);
}
