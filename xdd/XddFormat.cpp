#include "xdd/XddFormat.h"

#include <cctype>
#include <charconv>

#include "eds/EdsFormat.h"

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

struct IecType {
    std::string_view name;
    std::uint8_t code;
};

// CiA 311 gives a parameter's type as an IEC 61131 elementary type; the CANopen types without an IEC
// twin (INTEGER24, DOMAIN, ...) only appear as the object's dataType attribute.
constexpr IecType IecTypes[] = {
    {"BOOL", 0x01},    {"SINT", 0x02},  {"INT", 0x03},   {"DINT", 0x04},   {"USINT", 0x05},
    {"UINT", 0x06},    {"UDINT", 0x07}, {"REAL", 0x08},  {"STRING", 0x09}, {"BITSTRING", 0x0A},
    {"WSTRING", 0x0B}, {"LREAL", 0x11}, {"LINT", 0x15},  {"ULINT", 0x1B},  {"BYTE", 0x05},
    {"WORD", 0x06},    {"DWORD", 0x07}, {"LWORD", 0x1B}, {"CHAR", 0x05},
};

struct AccessName {
    std::string_view parameter;
    const char* eds;
};

constexpr AccessName AccessNames[] = {
    {"const", "const"},        {"read", "ro"},
    {"write", "wo"},           {"readWrite", "rw"},
    {"readWriteInput", "rwr"}, {"readWriteOutput", "rww"},
};

// Reads exactly `count` decimal digits at `at`.
bool Digits(std::string_view text, std::size_t at, std::size_t count, int& value) {
    if (at + count > text.size()) {
        return false;
    }
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

std::string ToUpper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace

bool LooksLikeXdd(std::string_view bytes) {
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    const auto start = bytes.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) {
        return false;
    }
    bytes.remove_prefix(start);
    return StartsWith(bytes, "<?xml") || StartsWith(bytes, "<ISO15745ProfileContainer");
}

std::string_view LocalName(std::string_view qualifiedName) {
    const auto colon = qualifiedName.find(':');
    return colon == std::string_view::npos ? qualifiedName : qualifiedName.substr(colon + 1);
}

std::uint8_t DataTypeOfIecName(std::string_view name) {
    for (const IecType& type : IecTypes) {
        if (type.name == name) {
            return type.code;
        }
    }
    return 0;
}

std::string AccessOfParameter(std::string_view access) {
    for (const AccessName& name : AccessNames) {
        if (name.parameter == access) {
            return name.eds;
        }
    }
    return "";
}

std::uint8_t PdoMappingOf(std::string_view value) {
    return value.empty() || value == "no" ? 0 : 1;
}

const char* PdoMappingText(std::uint8_t pdoMapping) {
    return pdoMapping == 0 ? "no" : "optional";
}

bool IsTrue(std::string_view value) {
    return value == "true" || value == "1";
}

const BaudRateName BaudRates[BaudRateCount] = {
    {"10 Kbps", &DeviceInfoSection::Baudrate_10},   {"20 Kbps", &DeviceInfoSection::Baudrate_20},
    {"50 Kbps", &DeviceInfoSection::Baudrate_50},   {"125 Kbps", &DeviceInfoSection::Baudrate_125},
    {"250 Kbps", &DeviceInfoSection::Baudrate_250}, {"500 Kbps", &DeviceInfoSection::Baudrate_500},
    {"800 Kbps", &DeviceInfoSection::Baudrate_800}, {"1000 Kbps", &DeviceInfoSection::Baudrate_1000},
};

const char* DefaultCategory(std::uint16_t index) {
    if (index == 0x1000 || index == 0x1001 || index == 0x1018) {
        return "mandatory";
    }
    return index >= 0x2000 && index <= 0x5FFF ? "manufacturer" : "optional";
}

std::string EdsDateOfXsd(std::string_view xsd) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (xsd.size() != 10 || !Digits(xsd, 0, 4, year) || xsd[4] != '-' || !Digits(xsd, 5, 2, month) ||
        xsd[7] != '-' || !Digits(xsd, 8, 2, day)) {
        return std::string(xsd);
    }
    return Format("%02d-%02d-%04d", month, day, year);
}

std::string EdsTimeOfXsd(std::string_view xsd) {
    int hour = 0;
    int minute = 0;
    if (!Digits(xsd, 0, 2, hour) || xsd.size() < 5 || xsd[2] != ':' || !Digits(xsd, 3, 2, minute) ||
        hour > 23 || minute > 59) {
        return std::string(xsd);
    }
    // Seconds, fractions and the time zone have no place in the EDS form.
    const int shown = hour % 12 == 0 ? 12 : hour % 12;
    return Format("%d:%02d%s", shown, minute, hour < 12 ? "AM" : "PM");
}

std::string XsdDateOfEds(const std::string& eds) {
    int month = 0;
    int day = 0;
    int year = 0;
    if (eds.size() != 10 || !Digits(eds, 0, 2, month) || eds[2] != '-' || !Digits(eds, 3, 2, day) ||
        eds[5] != '-' || !Digits(eds, 6, 4, year)) {
        return eds;
    }
    return Format("%04d-%02d-%02d", year, month, day);
}

std::string XsdTimeOfEds(const std::string& eds) {
    const auto colon = eds.find(':');
    int hour = 0;
    int minute = 0;
    if (colon == std::string::npos || colon == 0 || colon > 2 || !Digits(eds, 0, colon, hour) ||
        !Digits(eds, colon + 1, 2, minute) || eds.size() != colon + 5 || hour < 1 || hour > 12) {
        return eds;
    }
    const std::string half = ToUpper(eds.substr(colon + 3));
    if (half != "AM" && half != "PM") {
        return eds;
    }
    const int hour24 = hour % 12 + (half == "PM" ? 12 : 0);
    return Format("%02d:%02d:00", hour24, minute);
}

std::uint32_t ParseHexAttribute(std::string_view text) {
    const bool prefixed = text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (prefixed) {
        text.remove_prefix(2);
    }
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return error == std::errc() && end == text.data() + text.size() ? value : UnreadableNumber;
}
