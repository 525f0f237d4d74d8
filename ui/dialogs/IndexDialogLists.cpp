#include <cstdio>

#include "model/NameTables.h"
#include "platform/Platform.h"
#include "ui/dialogs/IndexDialogRules.h"

namespace {

// A subindex level entry is always a VAR, DOMAIN or DEFTYPE: the first three object types.
constexpr int SingleObjectTypeCount = 3;
// "INT8" through "DOMAIN": the data types a VAR or DEFTYPE may have.
constexpr int PlainDataTypeCount = 9;
constexpr int DomainDataTypePosition = 8;

int PositionOf(const std::vector<std::uint8_t>& codes, std::uint8_t code) {
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] == code) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int PositionOf(const std::vector<std::string>& forms, const std::string& form) {
    for (std::size_t i = 0; i < forms.size(); ++i) {
        if (forms[i] == form) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

void IndexDialogRules::FillObjectTypeList() {
    const int count = AtIndexLevel() ? ObjectTypeCount : SingleObjectTypeCount;
    m_view.objectTypes = IndexDlgList{};
    for (int i = 0; i < count; ++i) {
        m_view.objectTypes.names.emplace_back(ObjectTypeNames[i]);
    }
    Enable(IndexDlgControl::ObjectType);
}

void IndexDialogRules::RefillObjectTypeList() {
    FillObjectTypeList();
    ClearSelections();
    Enable(IndexDlgControl::DataType, false);
    Enable(IndexDlgControl::AccessType, false);
    EnableValueEdits(false);
    Enable(IndexDlgControl::Ok, false);
    // Nothing is chosen in the refilled lists, so every choice has to be made again and runs its
    // reaction even when it repeats the earlier one.
    m_entered.objectType = false;
    m_entered.dataType = false;
    m_entered.accessType = false;
    m_nObjectType = 0;
    m_prevObjectType.reset();
    m_prevDataType.reset();
}

void IndexDialogRules::FillDataTypeList(std::uint8_t objectType) {
    m_view.dataTypes = IndexDlgList{};
    m_dataTypeCodes.clear();
    auto add = [this](int position) {
        m_view.dataTypes.names.emplace_back(DataTypeNames[position]);
        m_dataTypeCodes.push_back(DataTypeCodes[position]);
    };
    if (objectType == ObjectCode::Domain) {
        add(DomainDataTypePosition);
    } else if (objectType == ObjectCode::Var || objectType == ObjectCode::Deftype) {
        for (int i = 0; i < PlainDataTypeCount; ++i) {
            add(i);
        }
        // The other basic types are not offered, but an entry that has one (from a lenient import)
        // keeps it through an edit.
        const int own = DataTypePosition(m_entry.dataType);
        if (own >= PlainDataTypeCount && IsCiaBasicDataType(m_entry.dataType)) {
            add(own);
        }
    }
    Enable(IndexDlgControl::DataType, !m_dataTypeCodes.empty());
}

void IndexDialogRules::FillAccessList(std::uint8_t dataType) {
    m_view.accessTypes = IndexDlgList{};
    m_accessForms.clear();
    int first = 0;
    int count = 0;
    // NOLINTNEXTLINE(bugprone-branch-clone): the strings, basic types too, take 4 before the basic types do.
    if (dataType >= DataTypeCode::Int8 && dataType <= DataTypeCode::Real32) {
        // Process data access exists only outside the communication area.
        count = m_nIndex >= 0x2000 ? AccessTypeCount : 4;
    } else if (dataType == DataTypeCode::VisibleString || dataType == DataTypeCode::OctetString ||
               dataType == DataTypeCode::UnicodeString) {
        count = 4;
    } else if (IsCiaBasicDataType(dataType) && dataType != DataTypeCode::Domain) {
        count = m_nIndex >= 0x2000 ? AccessTypeCount : 4;
    } else if (dataType == DataTypeCode::Domain) {
        first = 1;
        count = 3;
    }
    for (int i = first; i < first + count; ++i) {
        m_view.accessTypes.names.emplace_back(AccessTypeNames[i]);
        m_accessForms.emplace_back(AccessTypeEdsNames[i]);
    }
}

void IndexDialogRules::SelectFilledChoices() {
    const int objectPosition = ObjectTypePosition(m_nObjectType);
    if (objectPosition >= 0 && objectPosition < static_cast<int>(m_view.objectTypes.names.size())) {
        m_view.objectTypes.selected = objectPosition;
    }
    FillDataTypeList(m_nObjectType);
    m_view.dataTypes.selected = PositionOf(m_dataTypeCodes, m_nDataType);
    FillAccessList(m_nDataType);
    m_view.accessTypes.selected = PositionOf(m_accessForms, m_strAccessType);
}

void IndexDialogRules::ClearSelections() {
    m_view.dataTypes.selected = -1;
    m_view.accessTypes.selected = -1;
    m_nDataType = 0;
    m_strAccessType.clear();
}

void IndexDialogRules::EmptyValueTexts() {
    m_view.defaultValue.clear();
    m_view.lowLimit.clear();
    m_view.highLimit.clear();
}

void IndexDialogRules::SetValueFlags(bool entered) {
    m_entered.dataType = entered;
    m_entered.accessType = entered;
    m_entered.defaultValue = entered;
    m_entered.lowLimit = entered;
    m_entered.highLimit = entered;
}

void IndexDialogRules::ResetForStructuredType() {
    ClearSelections();
    m_view.pdoMapping = 0;
    m_view.nonVolatile = false;
    EmptyValueTexts();
    Enable(IndexDlgControl::DataType, false);
    Enable(IndexDlgControl::AccessType, false);
    EnableValueEdits(false);
    Enable(IndexDlgControl::Ok);
    Enable(IndexDlgControl::NonVolatile);
}

bool IndexDialogRules::AskToDeleteSubindices() {
    char text[256];
    std::snprintf(text, sizeof text,
                  "The index 0x%lX has several subindices! When you change\nthe object type to "
                  "\"VAR\",\"DEFTYPE\" or \"DOMAIN\" all\nsubindices will be deleted! Delete all subindices?",
                  m_nIndex);
    m_bDeleteAnswer = m_platform.MessageBox(text, "Select ObjectType", MsgButtons::YesNo,
                                            MsgIcon::Exclamation, true) == MsgResult::Yes;
    if (!m_bDeleteAnswer) {
        // The index keeps its type: the list shows it again and OK waits for another change.
        m_view.objectTypes.selected = m_prevObjectType ? ObjectTypePosition(*m_prevObjectType) : -1;
        m_focusRequest = IndexDlgControl::ObjectType;
        Enable(IndexDlgControl::Ok, false);
        return false;
    }
    m_view.pdoMapping = 0;
    return true;
}

void IndexDialogRules::ObjectTypeChosen(int position) {
    if (position < 0 || position >= static_cast<int>(m_view.objectTypes.names.size())) {
        return;
    }
    m_entered.objectType = true;
    const std::uint8_t code = ObjectTypeCodes[position];
    m_view.objectTypes.selected = position;
    if (m_prevObjectType == code) {
        return;
    }
    const bool single = IsSingleEntryObjectType(code);
    if (single && IsEdit() && AtIndexLevel() && m_nIndexEntries > 1 && !AskToDeleteSubindices()) {
        return;
    }

    if (single) {
        // A single entry needs its data type, access and values chosen anew.
        SetValueFlags(false);
        EmptyValueTexts();
        ClearSelections();
        Enable(IndexDlgControl::AccessType, false);
        EnableValueEdits(false);
        if (!AtIndexLevel()) {
            ResetForStructuredType();
            Enable(IndexDlgControl::Ok, false);
        } else {
            // After a structured type the PDO radios and the non-volatile box come back.
            EnablePdoRadios(PdoRadiosAllowed());
            Enable(IndexDlgControl::NonVolatile);
            if (!IsEdit()) {
                m_view.pdoMapping = 0;
            }
        }
        FillDataTypeList(code);
    } else {
        // A structured object has nothing more to choose, and keeps its subindices.
        ResetForStructuredType();
        SetValueFlags(true);
        m_bDeleteAnswer = false;
        FillDataTypeList(code);
        EnablePdoRadios(false);
        if (!IsEdit()) {
            Enable(IndexDlgControl::NonVolatile, false);
        }
    }
    m_prevObjectType = code;
    m_nObjectType = code;
}

void IndexDialogRules::DataTypeChosen(int position) {
    if (position < 0 || position >= static_cast<int>(m_dataTypeCodes.size())) {
        return;
    }
    m_entered.dataType = true;
    const std::uint8_t code = m_dataTypeCodes[static_cast<std::size_t>(position)];
    m_view.dataTypes.selected = position;
    if (m_prevDataType != code) {
        FillAccessList(code);
        m_strAccessType.clear();
        EmptyValueTexts();
        m_entered.defaultValue = false;
        m_entered.lowLimit = false;
        m_entered.highLimit = false;
        m_entered.accessType = false;
        EnableValueEdits(false);
        Enable(IndexDlgControl::Ok, false);
    }
    Enable(IndexDlgControl::AccessType);
    m_prevDataType = code;
    m_nDataType = code;
}

void IndexDialogRules::AccessTypeChosen(int position) {
    if (position < 0 || position >= static_cast<int>(m_accessForms.size())) {
        return;
    }
    m_entered.accessType = true;
    m_strAccessType = m_accessForms[static_cast<std::size_t>(position)];
    m_view.accessTypes.selected = position;
    m_view.defaultValue = "0x0";
    m_view.lowLimit = "0x0";
    m_view.highLimit = "0x0";
    EnableValueEdits(true);
    Enable(IndexDlgControl::Ok);
}
