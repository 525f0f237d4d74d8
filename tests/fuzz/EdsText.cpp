#include "EdsText.h"

#include <cstdio>

namespace {

std::string Hex(unsigned value, const char* format = "0x%04X") {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

EdsText::EdsText() {
    Section("FileInfo").Key("FileName", "device.eds").Key("FileVersion", "1").Key("FileRevision", "2");
    Section("DeviceInfo")
        .Key("VendorName", "Vendor")
        .Key("VendorNumber", "0x1234")
        .Key("ProductName", "Node");
    Section("DummyUsage").Key("Dummy0001", "0").Key("Dummy0007", "1");
    Section("Comments").Key("Lines", "1").Key("Line1", "made by a test");
}

EdsText& EdsText::Section(const std::string& name) {
    m_text += "[" + name + "]\r\n";
    return *this;
}

EdsText& EdsText::Key(const std::string& key, const std::string& value) {
    m_text += key + "=" + value + "\r\n";
    return *this;
}

EdsText& EdsText::List(const std::string& name, std::initializer_list<unsigned> indices) {
    Section(name).Key("SupportedObjects", std::to_string(indices.size()));
    unsigned n = 0;
    for (unsigned index : indices) {
        Key(std::to_string(++n), Hex(index));
    }
    return *this;
}

EdsText& EdsText::Var(unsigned index, const std::string& name, unsigned dataType,
                      const std::string& defaultValue) {
    return Section(Hex(index, "%04X"))
        .Key("ParameterName", name)
        .Key("ObjectType", "0x7")
        .Key("DataType", Hex(dataType))
        .Key("AccessType", "rw")
        .Key("DefaultValue", defaultValue)
        .Key("PDOMapping", "0");
}

EdsText& EdsText::Sub(unsigned index, unsigned subindex, const std::string& name, unsigned dataType,
                      const std::string& defaultValue) {
    return Section(Hex(index, "%04X") + "sub" + Hex(subindex, "%X"))
        .Key("ParameterName", name)
        .Key("ObjectType", "0x7")
        .Key("DataType", Hex(dataType))
        .Key("AccessType", "ro")
        .Key("DefaultValue", defaultValue)
        .Key("PDOMapping", "0");
}

std::string SmallDevice() {
    EdsText eds;
    eds.List("MandatoryObjects", {0x1000, 0x1018})
        .Var(0x1000, "Device type", 0x7, "0x191")
        .Section("1018")
        .Key("SubNumber", "2")
        .Key("ParameterName", "Identity")
        .Key("ObjectType", "0x9")
        .Sub(0x1018, 0, "Number of entries", 0x5, "1")
        .Sub(0x1018, 1, "Vendor ID", 0x7, "0x1234")
        .List("OptionalObjects", {0x1008})
        .Var(0x1008, "Device name", 0x9, "Quillmark node")
        .List("ManufacturerObjects", {0x2000})
        .Var(0x2000, "Speed", 0x3, "-5");
    return eds.Text();
}
