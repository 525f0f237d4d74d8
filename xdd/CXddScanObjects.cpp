#include <algorithm>
#include <bitset>
#include <memory>

#include "eds/EdsFormat.h"
#include "eds/ParseNumber.h"
#include "model/NameTables.h"
#include "model/ObjectDictionary.h"
#include "platform/Platform.h"
#include "xdd/CXddScan.h"
#include "xdd/XmlNodes.h"

namespace {

// The same index ranges as the EDS import: 0x1FFF, 0x5FFF and 0xFFFF are not taken, nor the data type
// definitions below 0x1000.
bool IsImportedIndex(std::uint32_t index) {
    return (index >= 0x1000 && index < 0x1FFF) || (index >= 0x2000 && index < 0x5FFF) ||
           (index >= 0x6000 && index < 0xFFFF);
}

// Every data type is kept, the CiA 301 ones and those a device defines itself, as the lenient EDS import
// keeps them; only an entry without any type is not.
bool IsKeptDataType(std::uint32_t type) {
    return type != 0 && type <= 0xFF;
}

// The data type a parameter gives by its IEC type element; 0 for none (or a reference to a complex
// type, which an object of the list describes itself).
std::uint8_t ParameterDataType(const pugi::xml_node& parameter) {
    for (pugi::xml_node child = parameter.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) {
            if (const std::uint8_t type = DataTypeOfIecName(LocalName(child.name())); type != 0) {
                return type;
            }
        }
    }
    return 0;
}

// A value element of a parameter (<defaultValue value="..."/>), if present.
pugi::xml_attribute ParameterValue(const pugi::xml_node& parameter, std::string_view element) {
    return ChildNamed(parameter, element).attribute("value");
}

pugi::xml_attribute ParameterLimit(const pugi::xml_node& parameter, std::string_view element) {
    return ChildNamed(ChildNamed(ChildNamed(parameter, "allowedValues"), "range"), element)
        .attribute("value");
}

// The parameter side writes byte strings with the bytes apart ("C8 3D BB"); an EDS value has them
// together.
std::string WithoutBlanks(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

// An object its editor switched off (a stack's own property, CO_disabled) is not part of the device:
// that editor leaves it out of the EDS it writes for the same device.
bool IsDisabled(const pugi::xml_node& parameter) {
    bool disabled = false;
    ForEachChildNamed(parameter, "property", [&disabled](const pugi::xml_node& property) {
        disabled = disabled || (std::string_view(property.attribute("name").value()) == "CO_disabled" &&
                                IsTrue(property.attribute("value").value()));
    });
    return disabled;
}

}  // namespace

void CXddScan::IndexParameters(const pugi::xml_node& root) {
    ForEachChildNamed(DescendantNamed(root, "parameterList"), "parameter",
                      [this](const pugi::xml_node& parameter) {
                          if (const pugi::xml_attribute id = parameter.attribute("uniqueID")) {
                              m_parameters.emplace(id.value(), parameter.internal_object());
                          }
                      });
}

void CXddScan::ReadObjectList(const pugi::xml_node& list) {
    m_listed.assign(0x10000, false);
    ForEachChildNamed(list, "CANopenObject", [this](const pugi::xml_node& object) { ReadObject(object); });
}

void CXddScan::ReadObject(const pugi::xml_node& object) {
    const pugi::xml_attribute indexAttribute = object.attribute("index");
    const std::uint32_t number = ParseHexAttribute(indexAttribute.value());
    if (!indexAttribute || !IsImportedIndex(number) || m_listed[number]) {
        return;
    }
    m_listed[number] = true;
    if (IsDisabled(ParameterOf(object))) {
        return;
    }
    const auto index = static_cast<std::uint16_t>(number);
    const bool structured = static_cast<bool>(ChildNamed(object, "CANopenSubObject"));

    auto created = std::make_unique<IndexEntry>();
    IndexEntry& entry = *created;
    entry.index = index;
    entry.headerSubindex = structured ? HeaderStructured : HeaderSingle;
    entry.kindMarker = structured ? KindStructured : KindSingle;
    const auto named = m_categories.find(index);
    entry.category = named != m_categories.end() ? named->second : DefaultCategory(index);
    if (m_dictionary.LookupDefaultCallback(index) != 0) {
        entry.callbackName = m_dictionary.GetLookupResult();
    }
    const std::uint16_t position = m_dictionary.InsertIndex(std::move(created));

    auto header = std::make_unique<SubindexEntry>();
    header->index = index;
    header->subindex = structured ? HeaderStructured : HeaderSingle;
    header->name = object.attribute("name").value();
    const pugi::xml_attribute objectType = object.attribute("objectType");
    header->objectType = static_cast<std::uint8_t>(
        objectType ? ParseNumber(objectType.value()) : (structured ? ObjectCode::Record : ObjectCode::Var));
    const bool kept = structured || ReadValues(*header, object);
    if (kept) {
        m_dictionary.InsertEntry(std::move(header));
    }
    if (structured) {
        std::bitset<256> seen;
        ForEachChildNamed(object, "CANopenSubObject", [&](const pugi::xml_node& sub) {
            const pugi::xml_attribute subIndex = sub.attribute("subIndex");
            const std::uint32_t s = ParseHexAttribute(subIndex.value());
            if (!subIndex || s > 0xFF || seen[s]) {
                return;
            }
            seen[s] = true;
            auto subEntry = std::make_unique<SubindexEntry>();
            subEntry->index = index;
            subEntry->subindex = static_cast<std::uint16_t>(s);
            subEntry->name = sub.attribute("name").value();
            const pugi::xml_attribute subType = sub.attribute("objectType");
            subEntry->objectType =
                static_cast<std::uint8_t>(subType ? ParseNumber(subType.value()) : ObjectCode::Var);
            if (ReadValues(*subEntry, sub)) {
                m_dictionary.InsertEntry(std::move(subEntry));
            }
        });
    }
    entry.entryCount = static_cast<std::uint16_t>(entry.subindices.size());
    // As in the EDS import: a VAR whose entry was dropped, or a structure left with nothing but its
    // header, does not stay.
    if (!kept || (structured && entry.subindices.size() < 2)) {
        m_dictionary.RemoveIndexAt(position);
    }
}

pugi::xml_node CXddScan::ParameterOf(const pugi::xml_node& object) const {
    if (const pugi::xml_attribute ref = object.attribute("uniqueIDRef")) {
        const auto found = m_parameters.find(ref.value());
        if (found != m_parameters.end()) {
            return pugi::xml_node(found->second);
        }
    }
    return {};
}

bool CXddScan::ReadValues(SubindexEntry& entry, const pugi::xml_node& object) {
    const pugi::xml_node parameter = ParameterOf(object);
    const pugi::xml_attribute dataType = object.attribute("dataType");
    const std::uint32_t type = dataType ? ParseHexAttribute(dataType.value()) : ParameterDataType(parameter);
    if (!IsKeptDataType(type)) {
        const std::string text = entry.subindex == HeaderSingle
                                     ? Format("Data Type of index 0x%04X not supported", entry.index)
                                     : Format("Data Type of index 0x%04X,subindex 0x%02X not supported!",
                                              entry.index, entry.subindex);
        m_platform.MessageBox(text, "Warning", MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    entry.dataType = static_cast<std::uint8_t>(type);

    if (const pugi::xml_attribute access = object.attribute("accessType")) {
        entry.accessType = ToLower(access.value());
    } else if (parameter) {
        const pugi::xml_attribute given = parameter.attribute("access");
        entry.accessType = AccessOfParameter(given ? given.value() : "read");
    }
    entry.pdoMapping = PdoMappingOf(object.attribute("PDOmapping").value());

    // The object's own values are written as in an EDS; the parameter's in the XML form.
    const bool bytes = entry.dataType == DataTypeCode::OctetString;
    const auto fromParameter = [bytes](const pugi::xml_attribute& value) {
        return bytes ? WithoutBlanks(value.value()) : std::string(value.value());
    };
    if (const pugi::xml_attribute value = object.attribute("defaultValue")) {
        entry.defaultValue = value.value();
    } else if (const pugi::xml_attribute paramValue = ParameterValue(parameter, "defaultValue")) {
        entry.defaultValue = fromParameter(paramValue);
    } else if (const pugi::xml_attribute actual = object.attribute("actualValue")) {
        entry.defaultValue = actual.value();
    } else if (const pugi::xml_attribute paramActual = ParameterValue(parameter, "actualValue")) {
        entry.defaultValue = fromParameter(paramActual);
    }
    const auto limit = [&](const char* attribute, const char* element) -> std::string {
        if (const pugi::xml_attribute value = object.attribute(attribute)) {
            return value.value();
        }
        if (const pugi::xml_attribute value = ParameterLimit(parameter, element)) {
            return fromParameter(value);
        }
        return "0x0";  // what the EDS import reads for an absent limit
    };
    entry.lowLimit = limit("lowLimit", "minValue");
    entry.highLimit = limit("highLimit", "maxValue");
    return true;
}
