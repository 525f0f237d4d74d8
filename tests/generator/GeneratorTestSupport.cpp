#include "GeneratorTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "DictionaryBuilder.h"
#include "GoldenFile.h"
#include "generator/CSourceGenerator.h"

GenerationResult RunGeneration(ObjectDictionary& dictionary, Platform& platform,
                               const std::string& sourcePath) {
    return CSourceGenerator(dictionary, platform).GenerateFiles(sourcePath);
}

void ExpectGolden(const std::string& caseName, const std::string& fileName, const std::string& bytes) {
    ExpectGoldenFile(std::string(QM_TEST_DATA_DIR) + "/generator/" + caseName + "/" + fileName, bytes);
}

std::string WithoutDateAndTime(const std::string& bytes) {
    std::string kept;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        const std::string line = bytes.substr(start, end - start);
        if (line.rfind("* Date: ", 0) != 0 && line.rfind("* Time: ", 0) != 0) {
            kept += line;
        }
        start = end;
    }
    return kept;
}

void BuildFullDictionary(ObjectDictionary& dictionary) {
    DictionaryBuilder b(dictionary);
    b.Var(0x0FFF, {.name = "Below the dictionary", .dataType = 0x05, .value = "1"});

    b.Var(0x1000, {.name = "Device Type", .dataType = 0x07, .access = "ro", .value = "0x00000191"}, "ROM");
    b.Var(0x1001, {.name = "Error Register", .dataType = 0x05, .access = "const", .value = "0"});
    b.Record(0x1003, "Pre-defined Error Field", "RAM", "EmcpCbPreDefinedErrorField", 0x08);
    b.Sub(0x1003, 0x00, {.name = "Number of Errors", .dataType = 0x05, .value = "0"});
    b.Sub(0x1003, 0x01, {.name = "Standard Error Field", .dataType = 0x07, .access = "ro", .value = "0"});
    b.Sub(0x1003, 0x02, {.name = "Standard Error Field", .dataType = 0x07, .access = "", .value = "0"});
    b.Var(0x1005, {.name = "COB-ID SYNC", .dataType = 0x07, .value = "0x80"}, "RAM", "PdoCbCfgSyncId");
    b.Var(0x1008, {.name = "Manufacturer Device Name",
                   .dataType = 0x09,
                   .access = "const",
                   .value = "Node \"A\" C:\\dev"});
    b.Var(0x1009,
          {.name = "Manufacturer Hardware Version", .dataType = 0x09, .access = "ro", .value = "abc"});
    b.Record(0x1016, "Consumer Heartbeat Time", "RAM", "HbcCbConfigHeartbeat", 0x08);
    b.Sub(0x1016, 0x00, {.name = "Number of Entries", .dataType = 0x05, .access = "ro", .value = "1"});
    b.Sub(0x1016, 0x01, {.name = "Consumer Heartbeat Time #1", .dataType = 0x07, .value = "0x00010064"});
    b.Var(0x1017,
          {.name = "Producer Heartbeat Time", .dataType = 0x06, .value = "0", .low = "0", .high = "0"});
    b.Record(0x1018, "Identity Object", "ROM");
    b.Sub(0x1018, 0x00, {.name = "Number of entries", .dataType = 0x05, .access = "ro", .value = "2"});
    b.Sub(0x1018, 0x01, {.name = "Vendor Id", .dataType = 0x07, .access = "ro", .value = "0x12"});
    b.Sub(0x1018, 0x02, {.name = "Identity", .dataType = 0x23, .access = "ro", .value = "0"});
    b.Var(0x1019, {.name = "Signed Value", .dataType = 0x03, .value = "-5"});
    b.Var(0x101A, {.name = "Signed Range", .dataType = 0x04, .value = "-5", .low = "-10", .high = "10"});
    b.Var(0x101B, {.name = "Unsigned Range", .dataType = 0x05, .value = "5", .low = "1", .high = "10"});
    b.Var(0x101C, {.name = "Real Value", .dataType = 0x08, .value = "55.25"});
    b.Var(0x101D, {.name = "Real Range", .dataType = 0x08, .value = "1.5", .low = "-2.5", .high = "1e10"});
    b.Var(0x101E, {.name = "Domain Data", .dataType = 0x0F, .access = "rw"});
    b.Var(0x101F, {.name = "Boolean Flag", .dataType = 0x01, .value = "1"});
    b.Var(0x1020, {.name = "Odd Storage", .dataType = 0x05, .access = "rww", .value = "1"}, "EEPROM");
    b.Var(0x1021, {.name = "Complex", .dataType = 0x20, .value = "1"});
    b.Var(0x1022, {.name = "Write Only", .dataType = 0x06, .access = "wo", .value = "0x10"});

    b.Var(0x1023, {.name = "Const Signed", .dataType = 0x02, .access = "const", .value = "-7"});
    b.Var(
        0x1024,
        {.name = "Const Real", .dataType = 0x08, .access = "const", .value = "2.5", .low = "1", .high = "3"});
    b.Var(0x1025, {.name = "Const Domain", .dataType = 0x0F, .access = "const"});
    b.RecordOfValues(0x1200, "Server SDO Parameter", {"0x600", "0x580"});
    b.RecordOfValues(0x1201, "Server SDO Parameter 1", {"0x601", "0x581", "0x1FF"}).callbackName =
        "MySdoCallback";
    b.RecordOfValues(0x1280, "Client SDO Parameter", {"0x12345", "0x5FF", "0x7F"});

    b.Record(0x1400, "Receive PDO Communication Parameter");
    b.Sub(0x1400, 0x00, {.name = "Number of Entries", .dataType = 0x05, .access = "ro", .value = "5"});
    b.Sub(0x1400, 0x01, {.name = "COB-ID", .dataType = 0x07, .value = "0"});
    b.Sub(0x1400, 0x02, {.name = "Transmission Type", .dataType = 0x05, .value = "0xFF"});
    b.Sub(0x1400, 0x03, {.name = "Inhibit Time", .dataType = 0x06, .value = "100"});
    b.Sub(0x1400, 0x04, {.name = "Compatibility Entry", .dataType = 0x05, .value = "3"});
    b.Sub(0x1400, 0x05, {.name = "Event Timer", .dataType = 0x06, .value = "0x3E8"});
    b.Record(0x1401, "Receive PDO Communication Parameter 2");
    b.Sub(0x1401, 0x00, {.name = "Number of Entries", .dataType = 0x05, .access = "ro", .value = "2"});
    b.Sub(0x1401, 0x01, {.name = "COB-ID", .dataType = 0x07, .value = "0x201"});
    b.Sub(0x1401, 0x02, {.name = "Transmission Type", .dataType = 0x02, .value = "5"});
    b.RecordOfValues(0x1600, "Receive PDO Mapping Parameter", {"0x60000108", "0x60010210"});
    b.RecordOfValues(0x1800, "Transmit PDO Communication Parameter", {"0x181", "254"});
    b.RecordOfValues(0x1A00, "Transmit PDO Mapping Parameter", {"0x20000020", "0"});
    b.RecordOfValues(0x1A05, "Orphaned Mapping", {"0x20000020"});

    b.Record(0x2000, "Max, Min", "RAM", "MyCallback");
    b.Sub(0x2000, 0x00, {.name = "Number of entries", .dataType = 0x05, .access = "ro", .value = "8"});
    b.Sub(0x2000, 0x01, {.name = "1st value", .dataType = 0x05, .value = "5", .low = "1", .high = "10"});
    b.Sub(0x2000, 0x02,
          {.name = "Temp. [degC]",
           .dataType = 0x02,
           .access = "wo",
           .value = "-3",
           .low = "-10",
           .high = "0x7F"});
    b.Sub(0x2000, 0x03,
          {.name = "Gain",
           .dataType = 0x08,
           .access = "rww",
           .value = "0.125",
           .low = "0",
           .high = "2",
           .pdoMapping = 1,
           .nonVolatile = 1});
    b.Sub(0x2000, 0x04, {.name = "Label", .dataType = 0x09, .access = "ro", .value = "abc"});
    b.Sub(0x2000, 0x05, {.name = "Blob", .dataType = 0x0F, .access = "rw"});
    b.Sub(0x2000, 0x06,
          {.name = "Const Text", .dataType = 0x09, .access = "const", .value = "say \"hi\" \\ bye"});
    b.Sub(0x2000, 0x07, {.name = "Const Word", .dataType = 0x06, .access = "const", .value = "0x1234"});
    b.Sub(0x2000, 0x08,
          {.name = "Gr\xF6\xDF"
                   "e",
           .dataType = 0x06,
           .value = "70000",
           .low = "-1"});
    b.Var(0x2001, {.name = "Device Counter", .dataType = 0x04, .value = "0xFFFFFFFF"}, "ROM", "MyCallback");
    b.Var(0x2002, {.name = "Plain Real", .dataType = 0x08, .value = "-0.5"});
    b.Var(0x2003,
          {.name = "Limited Signed Const", .dataType = 0x03, .access = "const", .value = "1", .low = "-1"});
    b.Var(0x2004, {.name = "Manufacturer Complex", .dataType = 0x20, .value = "1"});
    b.Var(0x5FFF, {.name = "Last Manufacturer Object", .dataType = 0x05, .access = "rwr", .value = "1"});

    b.Var(0x6000, {.name = "Read Input 8-bit", .dataType = 0x05, .access = "ro", .value = "0"}, "ROM",
          "IoCb");
    b.Var(0x6001, {.name = "Device Complex", .dataType = 0x22, .value = "1"});
    b.Var(0x9FFF, {.name = "Empty Text", .dataType = 0x09, .access = "rw", .value = ""});
    b.Var(0xA000, {.name = "Above the dictionary", .dataType = 0x05, .value = "1"});
}

void ExpectFullDictionaryMessages(ScriptedPlatform& platform, bool firstRun) {
    platform.ExpectMessage("Unsupported data type at index 0x1018, subindex 0x02!", "Quillmark",
                           MsgIcon::Error);
    platform.ExpectMessage("Unsupported data type at index 0x1021!", "Quillmark", MsgIcon::Error);
    if (firstRun) {
        platform.ExpectMessage(
            "To the index 0x1401 of the PDO communication parameter\nis no index 0x1601 of the PDO mapping "
            "parameter available!\nThe index 0x1601 will be created with default parameter\nand applayed in "
            "the "
            "object dictionary file!\n",
            "Quillmark", MsgIcon::Information);
    }
    platform.ExpectMessage(
        "To the index 0x1A05 of the PDO mapping parameter is no\nindex 0x1805 of the PDO communication "
        "parameter "
        "available!\nThe PDO will not be applayed in the object dictionary file!\nPlease add the index "
        "0x1805 and "
        "create the object dictionary\nfile again!\n",
        "Quillmark", MsgIcon::Error);
    platform.ExpectMessage("Unsupported data type at index 0x2004!", "Quillmark", MsgIcon::Error);
    platform.ExpectMessage("Unsupported data type at index 0x6001!", "Quillmark", MsgIcon::Error);
}
