#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
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
    const std::string lower = Lower(text);
    const std::string token = "$nodeid";
    std::string n;
    if (lower.rfind(token, 0) == 0) {
        const std::string rest = Trim(lower.substr(token.size()));
        if (rest.empty() || rest.front() != '+') {
            return std::nullopt;
        }
        n = Trim(rest.substr(1));
    } else if (lower.size() > token.size() && lower.substr(lower.size() - token.size()) == token) {
        const std::string rest = Trim(lower.substr(0, lower.size() - token.size()));
        if (rest.empty() || rest.back() != '+') {
            return std::nullopt;
        }
        n = Trim(rest.substr(0, rest.size() - 1));
    } else {
        return std::nullopt;
    }
    const bool hex = n.rfind("0x", 0) == 0;
    char* end = nullptr;
    const unsigned long value = std::strtoul(n.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
    if (n.empty() || *end != '\0') {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
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

// The editor stops showing an import's messages after 20; the command-line tool prints them all.
TEST(CliCorpus, EveryMessageOfAnImportIsPrinted) {
    TempDir dir;
    std::string eds =
        "[FileInfo]\r\nFileName=flood.eds\r\n[DeviceInfo]\r\nVendorName=V\r\n[DummyUsage]\r\nDummy0001=0\r\n"
        "[MandatoryObjects]\r\nSupportedObjects=1\r\n1=0x1000\r\n[1000]\r\nParameterName=Device Type\r\n"
        "DataType=0x0007\r\n[ManufacturerObjects]\r\nSupportedObjects=0\r\n[OptionalObjects]\r\n"
        "SupportedObjects=30\r\n";
    for (unsigned n = 1; n <= 30; ++n) {
        eds += std::to_string(n) + Hex("=0x%04X\r\n", 0x2000 + n);
    }
    for (unsigned n = 1; n <= 30; ++n) {
        eds += Hex("[%04X]", 0x2000 + n) + "\r\nParameterName=Flag\r\nDataType=1\r\n";
    }
    WriteFileBytes(dir.File("flood.eds"), eds);
    const CliResult r = RunCli({"convert", dir.File("flood.eds"), dir.File("out.prj")});
    std::size_t warnings = 0;
    for (std::size_t at = r.err.find("Warning: Data Type of index"); at != std::string::npos;
         at = r.err.find("Warning: Data Type of index", at + 1)) {
        ++warnings;
    }
    EXPECT_EQ(warnings, 30u) << r.err;
    EXPECT_EQ(r.err.find("Further messages"), std::string::npos);
}
