#include <cstdlib>

#include "model/CIdentifier.h"
#include "model/NameTables.h"
#include "platform/Platform.h"
#include "ui/dialogs/IndexDialogRules.h"

unsigned long ReadHex(const std::string& text) {
    return std::strtoul(text.c_str(), nullptr, 16);
}

bool IsWholeHex(const std::string& text) {
    char* end = nullptr;
    std::strtoul(text.c_str(), &end, 16);
    return end != nullptr && *end == '\0';
}

bool IndexDialogRules::Refuse(const char* text, const char* caption, IndexDlgControl focus) {
    m_platform.MessageBox(text, caption, MsgButtons::Ok, MsgIcon::Error, true);
    Enable(IndexDlgControl::Ok, false);
    m_focusRequest = focus;
    return false;
}

bool IndexDialogRules::Accept() {
    using enum IndexDlgControl;
    if (AtIndexLevel() && m_entered.index) {
        const unsigned long index = ReadHex(m_view.index);
        if (index < 0x1000 || index > 0xFFFF) {
            return Refuse("Please enter an index\nbetween 0x1000 und 0xFFFF!", "Index Error", Index);
        }
    }
    if (AtIndexLevel() && !m_entered.index) {
        return Refuse("Please enter an index!", "Index", Index);
    }
    if (m_entered.subindex && (!IsWholeHex(m_view.subindex) || ReadHex(m_view.subindex) > 0xFF)) {
        return Refuse("Please enter a subindex\nbetween 0x00 und 0xFF!", "Subindex Error", Subindex);
    }
    if (!m_entered.subindex) {
        return Refuse("Please enter a subindex!", "Subindex", Subindex);
    }
    if (!m_entered.designator || m_view.designator.empty()) {
        return Refuse("Please enter a designator!", "Designator", Designator);
    }
    if (!m_entered.objectType) {
        return Refuse("Please select an object type!", "ObjectType", ObjectType);
    }
    if (!m_entered.dataType) {
        return Refuse("Please select a data type!", "DataType", DataType);
    }
    if (!m_entered.accessType) {
        return Refuse("Please select an access type!", "AccessType", AccessType);
    }
    // The callback name goes into the generated C as it stands, so it must be a name a compiler takes.
    const std::string& callback = m_view.callback;
    const bool invalidName =
        AtIndexLevel() && !callback.empty() && callback != "NULL" && !IsCIdentifier(callback);
    if ((m_entered.callback && callback.empty()) || invalidName) {
        return Refuse("Please enter a valid Callback Function or NULL!", "Callback Function", Callback);
    }
    // The document tells why it refuses; the dialog keeps everything typed and goes back to the number.
    if (m_pLookups != nullptr && !m_pLookups->AcceptValues(Values())) {
        Enable(Ok, false);
        m_focusRequest = AtIndexLevel() ? Index : Subindex;
        return false;
    }
    return true;
}

IndexDialogValues IndexDialogRules::Values() const {
    static const char* const Categories[] = {"optional", "manufacturer", "mandatory"};
    IndexDialogValues values;
    // The numbers are read from their texts, so a number typed just before OK counts even when its edit
    // never lost the focus.
    values.index = AtIndexLevel() ? static_cast<std::uint16_t>(ReadHex(m_view.index)) : m_pIndex->index;
    values.subindex =
        AtIndexLevel() ? m_entry.subindex : static_cast<std::uint16_t>(ReadHex(m_view.subindex));
    values.designator = m_view.designator;
    values.callback = m_view.callback;
    values.category = Categories[m_view.category];
    values.storage = m_view.storage == 0 ? "ROM" : "RAM";
    // A type the lists do not offer (an imported BOOLEAN, say) is kept unless the user chose another.
    const int objectPosition = m_view.objectTypes.selected;
    values.objectType = objectPosition >= 0 ? ObjectTypeCodes[objectPosition] : m_nObjectType;
    const int dataPosition = m_view.dataTypes.selected;
    values.dataType =
        dataPosition >= 0 ? m_dataTypeCodes[static_cast<std::size_t>(dataPosition)] : m_nDataType;
    const int accessPosition = m_view.accessTypes.selected;
    values.accessType =
        accessPosition >= 0 ? m_accessForms[static_cast<std::size_t>(accessPosition)] : m_strAccessType;
    values.pdoMapping = static_cast<std::uint8_t>(m_view.pdoMapping);
    values.defaultValue = m_view.defaultValue;
    values.lowLimit = m_view.lowLimit;
    values.highLimit = m_view.highLimit;
    values.nonVolatile = m_view.nonVolatile ? 1 : 0;
    values.deleteConfirmed = m_bDeleteAnswer;
    return values;
}
