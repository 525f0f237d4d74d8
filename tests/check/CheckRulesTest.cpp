#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DictionaryBuilder.h"
#include "check/DictionaryCheck.h"
#include "eds/EdsSections.h"

namespace {

// A small device without a single finding: the mandatory objects, an SDO server, one receive and one
// transmit PDO (the latter mapping a dummy), a limited manufacturer value and two I/O arrays.
struct Device {
    ObjectDictionary dictionary;
    DeviceInfoSection deviceInfo;

    Device() {
        DictionaryBuilder b(dictionary);
        b.Var(0x1000, {.name = "Device Type", .access = "ro", .value = "0x191"});
        b.Var(0x1001,
              {.name = "Error Register", .dataType = 0x05, .access = "ro", .value = "0", .pdoMapping = 1});
        b.Var(0x1014, {.name = "COB-ID EMCY", .value = "$NODEID+0x80"});
        Array(b, 0x1018, "Identity Object", {{"Vendor-ID", "0x12", "ro"}});
        Array(b, 0x1200, "Server SDO",
              {{"COB-ID client to server", "$NODEID+0x600", "ro"},
               {"COB-ID server to client", "$NODEID+0x580", "ro"}});
        Array(b, 0x1400, "Receive PDO 1", {{"COB-ID", "$NODEID+0x200", "rw"}});
        Array(b, 0x1600, "Receive PDO 1 Mapping", {{"Mapped Object 1", "0x62000108", "rw"}});
        Array(b, 0x1800, "Transmit PDO 1", {{"COB-ID", "$NODEID+0x180", "rw"}});
        Array(b, 0x1A00, "Transmit PDO 1 Mapping",
              {{"Mapped Object 1", "0x60000108", "rw"}, {"Mapped Object 2", "0x00050008", "rw"}});
        b.Var(0x2000, {.name = "Gain", .dataType = 0x03, .value = "-5", .low = "-10", .high = "10"}, "RAM",
              "GainChanged");
        b.Var(0x2001, {.name = "Counter", .access = "ro", .value = "0", .pdoMapping = 1});
        Array(b, 0x6000, "Read Input 8-Bit", {{"Input 1", "0", "ro"}}, 0x05);
        Array(b, 0x6200, "Write Output 8-Bit", {{"Output 1", "0", "rww"}}, 0x05);
        deviceInfo.DummyUsage.dummyCount = 1;
        deviceInfo.DummyUsage.entries[0] = {0x05, 1};
    }

    struct Value {
        std::string name;
        std::string value;
        std::string access;
    };
    // An ARRAY with subindex 0 holding the count, then the values at 1, 2, ... (PDO-mappable).
    static void Array(DictionaryBuilder& b, std::uint16_t index, const std::string& name,
                      const std::vector<Value>& values, std::uint8_t dataType = 0x07) {
        b.Record(index, name, "RAM", "NULL", 0x08);
        b.Sub(index, 0,
              {.name = "Number of entries",
               .dataType = 0x05,
               .access = "ro",
               .value = std::to_string(values.size())});
        std::uint16_t subindex = 1;
        for (const Value& v : values) {
            b.Sub(index, subindex++,
                  {.name = v.name,
                   .dataType = dataType,
                   .access = v.access,
                   .value = v.value,
                   .pdoMapping = 1});
        }
    }

    SubindexEntry& Entry(std::uint16_t index, std::uint16_t subindex) {
        for (const auto& entry : dictionary.FindIndexForEntry(index)->subindices) {
            if (entry->subindex == subindex) {
                return *entry;
            }
        }
        throw std::logic_error("no such entry");
    }
    void Remove(std::uint16_t index) {
        dictionary.RemoveIndexAt(dictionary.GetIndexPosition(*dictionary.FindIndexForEntry(index)));
    }
    SubindexEntry& AddSub(std::uint16_t index, std::uint16_t subindex, const EntrySpec& spec) {
        return DictionaryBuilder(dictionary).Sub(index, subindex, spec);
    }
};

std::string Line(const Finding& f) {
    const std::string location = LocationText(f);
    return std::string(SeverityName(f.severity)) + ": " + (location.empty() ? "" : location + ": ") + f.text +
           " [" + f.rule + "]";
}

struct Case {
    const char* name;
    std::function<void(Device&)> change;
    std::vector<std::string> expected;  // empty: the change is clean
};

const std::vector<Case> Cases = {
    {"clean device", [](Device&) {}, {}},

    {"mapping length differs from the type",
     [](Device& d) { d.Entry(0x1A00, 1).defaultValue = "0x60000110"; },
     {"error: 0x1A00sub1: maps 0x6000sub1 with 16 bits, but UINT8 has 8 [pdo-mapping-target]"}},
    {"mapping a missing subindex",
     [](Device& d) { d.Entry(0x1A00, 1).defaultValue = "0x60000208"; },
     {"error: 0x1A00sub1: maps 0x6000sub2, which does not exist [pdo-mapping-target]"}},
    {"mapping an object that is not mappable",
     [](Device& d) { d.Entry(0x1A00, 1).defaultValue = "0x10000020"; },
     {"error: 0x1A00sub1: maps 0x1000sub0, which is not PDO-mappable [pdo-mapping-target]"}},
    {"mapping a dummy DummyUsage does not allow",
     [](Device& d) { d.Entry(0x1A00, 2).defaultValue = "0x00060010"; },
     {"error: 0x1A00sub2: maps the dummy 0x0006 (UINT16), but DummyUsage does not allow it "
      "[pdo-mapping-target]"}},
    {"mapping a dummy with the wrong length",
     [](Device& d) { d.Entry(0x1A00, 2).defaultValue = "0x00050010"; },
     {"error: 0x1A00sub2: maps the dummy 0x0005 with 16 bits, but UINT8 has 8 [pdo-mapping-target]"}},
    {"pdo-mapping-target clean: a VAR at subindex 0",
     [](Device& d) { d.Entry(0x1A00, 1).defaultValue = "0x10010008"; },
     {}},

    {"receive PDO writing a read-only input",
     [](Device& d) { d.Entry(0x1600, 1).defaultValue = "0x60000108"; },
     {"error: 0x1600sub1: a receive PDO writes 0x6000sub1, which is read-only (ro) [pdo-mapping-access]"}},
    {"pdo-mapping-access clean: transmit PDO reading an rww output",
     [](Device& d) { d.Entry(0x1A00, 1).defaultValue = "0x62000108"; },
     {}},

    {"72 bits in one PDO",
     [](Device& d) {
         d.Entry(0x1A00, 0).defaultValue = "3";
         d.Entry(0x1A00, 1).defaultValue = "0x20010020";
         d.Entry(0x1A00, 2).defaultValue = "0x20010020";
         d.AddSub(0x1A00, 3, {.name = "Mapped Object 3", .value = "0x60000108"});
     },
     {"error: 0x1A00: maps 72 bits, more than the 64 a PDO carries [pdo-mapping-length]"}},
    {"pdo-mapping-length clean: exactly 64 bits",
     [](Device& d) {
         d.Entry(0x1A00, 1).defaultValue = "0x20010020";
         d.Entry(0x1A00, 2).defaultValue = "0x20010020";
     },
     {}},

    {"count beyond the entries",
     [](Device& d) { d.Entry(0x1600, 0).defaultValue = "2"; },
     {"error: 0x1600sub0: announces 2 mapped objects, but subindex 2 does not exist [pdo-mapping-count]"}},
    {"count over an entry that maps nothing",
     [](Device& d) {
         d.AddSub(0x1600, 2, {.name = "Mapped Object 2", .value = "0"});
         d.Entry(0x1600, 0).defaultValue = "2";
     },
     {"error: 0x1600sub0: announces 2 mapped objects, but subindex 2 maps nothing [pdo-mapping-count]"}},
    {"pdo-mapping-count clean: a disabled PDO", [](Device& d) { d.Entry(0x1600, 0).defaultValue = "0"; }, {}},

    {"mapping beyond subindex 8",
     [](Device& d) { d.AddSub(0x1A00, 9, {.name = "Mapped Object 9", .value = "0x10010008"}); },
     {"error: 0x1A00sub9: maps 0x1001sub0, but the generated sources carry only subindices 1 to 8 "
      "[pdo-mapping-slot]"}},
    {"pdo-mapping-slot clean: subindex 8",
     [](Device& d) { d.AddSub(0x1A00, 8, {.name = "Mapped Object 8", .value = "0x10010008"}); },
     {}},

    {"communication without mapping",
     [](Device& d) { d.Remove(0x1600); },
     {"warning: 0x1400: the receive PDO has no mapping index 0x1600; the generator adds one that maps "
      "nothing "
      "[pdo-pairing]"}},
    {"mapping without communication",
     [](Device& d) { d.Remove(0x1800); },
     {"warning: 0x1A00: the transmit PDO mapping has no communication index 0x1800; the generator leaves "
      "this "
      "PDO out [pdo-pairing]"}},

    {"two PDOs on one COB-ID",
     [](Device& d) { d.Entry(0x1800, 1).defaultValue = "0x200"; },
     {"error: 0x1800sub1: COB-ID 0x200 is already used by 0x1400sub1 [cob-id-duplicate]"}},
    {"emergency on an SDO COB-ID",
     [](Device& d) { d.Entry(0x1014, HeaderSingle).defaultValue = "0x580"; },
     {"error: 0x1200sub2: COB-ID 0x580 is already used by 0x1014sub0 [cob-id-duplicate]"}},
    {"cob-id-duplicate clean: the second PDO is invalid (bit 31)",
     [](Device& d) { d.Entry(0x1800, 1).defaultValue = "$NODEID+0x80000200"; },
     {}},

    {"trailing characters",
     [](Device& d) { d.Entry(0x2000, HeaderSingle).defaultValue = "0X5"; },
     {"error: 0x2000: default \"0X5\" does not read as INT16: the value rule stops at \"X5\" "
      "[value-syntax]"}},
    {"beyond the type",
     [](Device& d) { d.Entry(0x6000, 1).defaultValue = "300"; },
     {"error: 0x6000sub1: default \"300\" is beyond the range of UINT8 (0 to 255) [value-syntax]"}},
    {"hexadecimal beyond the type",
     [](Device& d) { d.Entry(0x2000, HeaderSingle).highLimit = "0x10000"; },
     {"error: 0x2000: high limit \"0x10000\" is beyond the range of INT16 (0x0 to 0xFFFF) [value-syntax]"}},
    {"value-syntax clean: the widest values, node-ID forms and a real",
     [](Device& d) {
         d.Entry(0x6000, 1).defaultValue = "0xFF ";
         d.Entry(0x2000, HeaderSingle).lowLimit = "-32768";
         d.Entry(0x1A00, 1).defaultValue = "0x60000108+$NODEID";
         DictionaryBuilder(d.dictionary).Var(0x2002, {.name = "Scale", .dataType = 0x08, .value = "-1.5e3"});
         d.Entry(0x2000, HeaderSingle).defaultValue = "-0x8";
     },
     {}},
    {"64-bit values are read in full",
     [](Device& d) {
         DictionaryBuilder b(d.dictionary);
         b.Var(0x2003, {.name = "Total", .dataType = 0x1B, .value = "0x10000000000000000"});
         b.Var(0x2004, {.name = "Position",
                        .dataType = 0x15,
                        .value = "5000000000",
                        .low = "-1",
                        .high = "4000000000"});
         b.Var(0x2005, {.name = "Largest", .dataType = 0x1B, .value = "18446744073709551615"});
     },
     {"warning: 0x2003: gets no line in the generated sources: UNSIGNED64 has no entry line [not-generated]",
      "error: 0x2003: default \"0x10000000000000000\" is beyond the range of UNSIGNED64 (0x0 to "
      "0xFFFFFFFFFFFFFFFF) [value-syntax]",
      "warning: 0x2004: gets no line in the generated sources: INTEGER64 has no entry line [not-generated]",
      "warning: 0x2004: default 5000000000 is outside the limits -1 to 4000000000 [value-limits]",
      "warning: 0x2005: gets no line in the generated sources: UNSIGNED64 has no entry line "
      "[not-generated]"}},

    {"default below the low limit",
     [](Device& d) { d.Entry(0x2000, HeaderSingle).defaultValue = "-11"; },
     {"warning: 0x2000: default -11 is outside the limits -10 to 10 [value-limits]"}},
    {"low limit above the high limit",
     [](Device& d) { d.Entry(0x2000, HeaderSingle).highLimit = "0xFFF0"; },
     {"warning: 0x2000: low limit -10 is above high limit 0xFFF0 (-16), so no value is in range "
      "[value-limits]"}},
    {"value-limits clean: default on the high limit",
     [](Device& d) { d.Entry(0x2000, HeaderSingle).defaultValue = "10"; },
     {}},

    {"callback that is a keyword",
     [](Device& d) { d.dictionary.FindIndexForEntry(0x2000)->callbackName = "int"; },
     {"error: 0x2000: callback \"int\" is a C keyword [callback-name]"}},
    {"callback that is no C name",
     [](Device& d) { d.dictionary.FindIndexForEntry(0x2000)->callbackName = "2fast"; },
     {"error: 0x2000: callback \"2fast\" is not a C name [callback-name]"}},
    {"callback-name clean: NULL",
     [](Device& d) { d.dictionary.FindIndexForEntry(0x2000)->callbackName = "NULL"; },
     {}},

    {"two entries named alike",
     [](Device& d) {
         d.Entry(0x1018, 0).defaultValue = "2";
         d.AddSub(0x1018, 2, {.name = "Vendor.ID", .access = "ro"});
     },
     {"error: 0x1018: 0x1018sub1 and 0x1018sub2 get the same C name VendorID [c-name-clash]"}},
    {"c-name-clash clean: the same name in another index or on an SDO index",
     [](Device& d) {
         d.Entry(0x6200, 1).name = "Input 1";
         d.Entry(0x1200, 2).name = "COB-ID client to server";
     },
     {}},

    {"identity missing",
     [](Device& d) { d.Remove(0x1018); },
     {"warning: the mandatory object 0x1018 (Identity Object) is missing [mandatory-objects]"}},
    {"mandatory-objects clean: the identity as a plain VAR",
     [](Device& d) {
         d.Remove(0x1018);
         DictionaryBuilder(d.dictionary).Var(0x1018, {.name = "Identity", .access = "ro"});
     },
     {}},

    {"subindex 0 short of the highest",
     [](Device& d) { d.Entry(0x6000, 0).defaultValue = "2"; },
     {"warning: 0x6000sub0: holds 2, but the highest subindex is 1 [subindex-zero]"}},
    {"record without subindex 0",
     [](Device& d) {
         DictionaryBuilder b(d.dictionary);
         b.Record(0x2100, "Tuning");
         b.Sub(0x2100, 1, {.name = "P"});
     },
     {"warning: 0x2100: the RECORD has no subindex 0 [subindex-zero]"}},
    {"subindex-zero clean: the error field counts its errors",
     [](Device& d) {
         DictionaryBuilder b(d.dictionary);
         Device::Array(b, 0x1003, "Pre-defined Error Field", {{"Standard Error Field", "0", "ro"}});
         d.Entry(0x1003, 0).defaultValue = "0";
         d.Entry(0x1003, 0).accessType = "rw";
     },
     {}},

    {"record without subindices",
     [](Device& d) { DictionaryBuilder(d.dictionary).Record(0x2100, "Tuning"); },
     {"error: 0x2100: the RECORD has no subindices, so generating the sources fails [no-subindices]"}},
    {"no-subindices clean: a RECORD with subindex 0 alone",
     [](Device& d) {
         DictionaryBuilder b(d.dictionary);
         b.Record(0x2100, "Tuning");
         b.Sub(0x2100, 0, {.name = "Count", .dataType = 0x05, .value = "0"});
     },
     {}},

    {"index above the generated parts",
     [](Device& d) { DictionaryBuilder(d.dictionary).Var(0xA000, {.name = "Log"}); },
     {"warning: 0xA000: the generated sources leave out every index above 0x9FFF [not-generated]"}},
    {"const DOMAIN",
     [](Device& d) {
         DictionaryBuilder(d.dictionary).Var(0x2002, {.name = "Blob", .dataType = 0x0F, .access = "const"});
     },
     {"warning: 0x2002: gets no line in the generated sources: a DOMAIN cannot be const [not-generated]"}},
    {"not-generated clean: a DOMAIN to write",
     [](Device& d) {
         DictionaryBuilder(d.dictionary).Var(0x2002, {.name = "Blob", .dataType = 0x0F, .access = "rw"});
     },
     {}},
};

}  // namespace

TEST(CheckRules, EachRuleFindsItsCaseAndLeavesTheCleanOne) {
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.name);
        Device device;
        c.change(device);
        std::vector<std::string> lines;
        for (const Finding& finding : CheckDictionary(device.dictionary, device.deviceInfo)) {
            lines.push_back(Line(finding));
        }
        EXPECT_EQ(lines, c.expected);
    }
}
