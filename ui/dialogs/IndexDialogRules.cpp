#include "ui/dialogs/IndexDialogRules.h"

#include <cstdio>

#include "model/NameTables.h"
#include "platform/Platform.h"
#include "ui/dialogs/SectionFields.h"

namespace {

std::string Hex(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A number beyond 0xFF (a paste proposes the one after 0xFF) loses its "0x" rather than a digit, so it
// fits the edit's four characters and the check on OK refuses what the user sees.
std::string SubindexText(std::uint16_t subindex) {
    return subindex <= 0xFF ? Hex("0x%02X", subindex) : Hex("%X", subindex);
}

int CategoryPosition(const std::string& category) {
    if (category == "optional") {
        return 0;
    }
    return category == "manufacturer" ? 1 : 2;
}

}  // namespace

std::string& IndexDlgView::Text(IndexDlgText field) {
    switch (field) {
        case IndexDlgText::Index:
            return index;
        case IndexDlgText::Subindex:
            return subindex;
        case IndexDlgText::Designator:
            return designator;
        case IndexDlgText::Callback:
            return callback;
        case IndexDlgText::DefaultValue:
            return defaultValue;
        case IndexDlgText::LowLimit:
            return lowLimit;
        case IndexDlgText::HighLimit:
            break;
    }
    return highLimit;
}

void IndexDialogRules::Fill(const IndexEntry& index, const SubindexEntry& entry) {
    m_pIndex = index.CopyRecord();
    m_nIndexEntries = index.subindices.size();
    m_entry = entry;
}

std::optional<IndexDlgControl> IndexDialogRules::TakeFocusRequest() {
    std::optional<IndexDlgControl> request = m_focusRequest;
    m_focusRequest.reset();
    return request;
}

void IndexDialogRules::Enable(IndexDlgControl control, bool enable) {
    m_view.enabled.set(static_cast<std::size_t>(control), enable);
}

void IndexDialogRules::EnableValueEdits(bool enable) {
    Enable(IndexDlgControl::DefaultValue, enable);
    Enable(IndexDlgControl::LowLimit, enable);
    Enable(IndexDlgControl::HighLimit, enable);
}

void IndexDialogRules::EnablePdoRadios(bool enable) {
    Enable(IndexDlgControl::PdoNotMappable, enable);
    Enable(IndexDlgControl::PdoMappable, enable);
}

bool IndexDialogRules::PdoRadiosAllowed() const {
    // The communication area 0x1000..0x1FFF is never mapped into a PDO.
    return m_nIndex < 0x1000 || m_nIndex > 0x1FFF;
}

void IndexDialogRules::ShowFilledValues() {
    m_nIndex = m_pIndex->index;
    m_view.index = Hex("0x%X", m_pIndex->index);
    m_view.storage = m_pIndex->storage == "ROM" ? 0 : 1;
    m_view.category = CategoryPosition(m_pIndex->category);
    m_view.callback = AtIndexLevel() ? m_pIndex->callbackName : std::string();
    m_view.designator = m_entry.name;
    m_nObjectType = m_entry.objectType;
    m_nSubindex = m_entry.subindex;
    // The flags that describe the entry itself are kept even where its values are not shown, so an
    // edit that does not touch them keeps them.
    m_view.pdoMapping = m_entry.pdoMapping == 1 ? 1 : 0;
    m_view.nonVolatile = m_entry.nonVolatile != 0;
    if (!AtIndexLevel() || m_nIndexEntries < 2) {
        m_view.subindex = m_entry.IsHeader() ? std::string() : SubindexText(m_entry.subindex);
        m_view.defaultValue = m_entry.defaultValue;
        m_view.lowLimit = m_entry.lowLimit;
        m_view.highLimit = m_entry.highLimit;
        m_strAccessType = m_entry.accessType;
        m_nDataType = m_entry.dataType;
    }
}

void IndexDialogRules::Open() {
    m_view = IndexDlgView{};
    m_entered = IndexDlgEntered{};
    m_bDeleteAnswer = false;
    m_prevObjectType.reset();
    m_prevDataType.reset();
    m_prevIndex.reset();
    m_nDataType = 0;
    m_strAccessType.clear();
    m_view.enabled.set();
    ShowFilledValues();

    if (IsEdit()) {
        m_entered = IndexDlgEntered{.index = true,
                                    .subindex = true,
                                    .designator = true,
                                    .callback = false,
                                    .objectType = true,
                                    .dataType = true,
                                    .accessType = true,
                                    .defaultValue = true,
                                    .lowLimit = true,
                                    .highLimit = true};
        if (AtIndexLevel()) {
            OpenEditIndex();
        } else {
            OpenEditSubindex();
        }
    } else if (AtIndexLevel()) {
        OpenAddIndex();
    } else {
        OpenAddSubindex();
    }

    if (m_view.objectTypes.selected >= 0) {
        m_prevObjectType = m_nObjectType;
    }
    if (m_view.dataTypes.selected >= 0) {
        m_prevDataType = m_nDataType;
    }
    if (!m_view.index.empty()) {
        m_prevIndex = m_nIndex;
    }
    for (std::size_t i = 0; i < m_openLengths.size(); ++i) {
        m_openLengths[i] = m_view.Text(static_cast<IndexDlgText>(i)).size();
    }
}

int IndexDialogRules::TextLimitOf(IndexDlgText field) const {
    // The subindex edit shows a number, never a value from a file.
    if (field == IndexDlgText::Subindex) {
        return SubindexMaxLength;
    }
    const int own = field == IndexDlgText::DefaultValue ? DefaultValueMaxLength : 0;
    return TextLimit(own, m_openLengths[static_cast<std::size_t>(field)]);
}

void IndexDialogRules::OpenAddIndex() {
    m_view.caption = "Add new Index";
    m_view.index.clear();
    m_view.subindex.clear();
    m_view.callback = "NULL";
    m_view.storage = 0;
    m_view.category = 0;
    m_view.pdoMapping = 0;
    m_entered.subindex = true;
    SetValueFlags(true);
    Enable(IndexDlgControl::Subindex, false);
    // Which object types make sense depends on the index, so the lists wait for it.
    Enable(IndexDlgControl::ObjectType, false);
    Enable(IndexDlgControl::DataType, false);
    Enable(IndexDlgControl::AccessType, false);
    EnableValueEdits(false);
    m_focusRequest = IndexDlgControl::Index;
}

void IndexDialogRules::OpenAddSubindex() {
    m_view.caption = "Add new subindex";
    m_view.subindex.clear();
    m_view.callback.clear();
    Enable(IndexDlgControl::Index, false);
    Enable(IndexDlgControl::Callback, false);
    Enable(IndexDlgControl::StorageRom, false);
    Enable(IndexDlgControl::StorageRam, false);
    Enable(IndexDlgControl::CategoryManufacturer, false);
    Enable(IndexDlgControl::CategoryMandatory, false);
    FillObjectTypeList();
    Enable(IndexDlgControl::DataType, false);
    Enable(IndexDlgControl::AccessType, false);
    EnableValueEdits(false);
    Enable(IndexDlgControl::Ok, false);
    m_focusRequest = IndexDlgControl::Subindex;
}

void IndexDialogRules::OpenEditIndex() {
    m_view.caption = "Edit index parameter";
    Enable(IndexDlgControl::Subindex, false);
    FillObjectTypeList();
    SelectFilledChoices();
    const bool structured = !IsSingleEntryObjectType(m_nObjectType);
    if (structured) {
        Enable(IndexDlgControl::DataType, false);
        Enable(IndexDlgControl::AccessType, false);
        EnableValueEdits(false);
        EnablePdoRadios(false);
        Enable(IndexDlgControl::NonVolatile, false);
        EmptyValueTexts();
    }
    ApplyIndexRange(m_nIndex, false, false);
    if (m_pLookups != nullptr && m_nIndex <= 0xFFFF &&
        m_pLookups->HasDefaultCallback(static_cast<std::uint16_t>(m_nIndex)) != 0) {
        Enable(IndexDlgControl::Callback, false);
    }
    m_focusRequest = IndexDlgControl::Index;
}

void IndexDialogRules::OpenEditSubindex() {
    m_view.caption = "Edit subindex parameter";
    Enable(IndexDlgControl::Index, false);
    Enable(IndexDlgControl::StorageRom, false);
    Enable(IndexDlgControl::StorageRam, false);
    Enable(IndexDlgControl::Callback, false);
    Enable(IndexDlgControl::CategoryManufacturer, false);
    Enable(IndexDlgControl::CategoryMandatory, false);
    Enable(IndexDlgControl::NonVolatile);
    FillObjectTypeList();
    SelectFilledChoices();
    m_focusRequest = IndexDlgControl::Subindex;
}

void IndexDialogRules::ApplyIndexRange(unsigned long number, bool numberChanged, bool selectCategory) {
    // A structured object has no PDO mapping of its own, whatever the range allows.
    const bool structured = m_view.objectTypes.selected >= 0 && !IsSingleEntryObjectType(m_nObjectType);
    if (number >= 0x1000 && number <= 0x1FFF) {
        Enable(IndexDlgControl::CategoryOptional);
        Enable(IndexDlgControl::CategoryMandatory);
        Enable(IndexDlgControl::CategoryManufacturer, false);
        EnablePdoRadios(false);
        if (numberChanged) {
            m_view.category = 0;
        }
    } else if (number >= 0x2000 && number <= 0x5FFF) {
        if (selectCategory) {
            m_view.category = 1;
        }
        Enable(IndexDlgControl::CategoryManufacturer);
        Enable(IndexDlgControl::CategoryOptional, false);
        Enable(IndexDlgControl::CategoryMandatory, false);
        EnablePdoRadios(!structured);
    } else if (number >= 0x6000) {
        Enable(IndexDlgControl::CategoryManufacturer, false);
        Enable(IndexDlgControl::CategoryOptional);
        Enable(IndexDlgControl::CategoryMandatory);
        EnablePdoRadios(!structured);
        if (numberChanged) {
            m_view.category = 0;
        }
    }
}

void IndexDialogRules::TextEdited(IndexDlgText field, const std::string& text) {
    m_view.Text(field) = text;
    switch (field) {
        case IndexDlgText::Index:
            m_entered.index = true;
            break;
        case IndexDlgText::Subindex:
            m_entered.subindex = true;
            break;
        case IndexDlgText::Designator:
            m_entered.designator = true;
            break;
        case IndexDlgText::Callback:
            m_entered.callback = true;
            break;
        case IndexDlgText::DefaultValue:
            m_entered.defaultValue = true;
            break;
        case IndexDlgText::LowLimit:
            m_entered.lowLimit = true;
            return;
        case IndexDlgText::HighLimit:
            m_entered.highLimit = true;
            return;
    }
    Enable(IndexDlgControl::Ok);
}

void IndexDialogRules::IndexEditFinished() {
    m_nIndex = ReadHex(m_view.index);
    if (m_nIndex < 0x1000) {
        return;
    }
    const bool changed = !m_prevIndex || *m_prevIndex != m_nIndex;
    ApplyIndexRange(m_nIndex, changed, true);
    if (m_pLookups != nullptr && m_nIndex <= 0xFFFF &&
        m_pLookups->HasDefaultCallback(static_cast<std::uint16_t>(m_nIndex)) != 0) {
        m_view.callback = m_pLookups->DefaultCallbackName(static_cast<std::uint16_t>(m_nIndex));
        Enable(IndexDlgControl::Callback, false);
        m_entered.callback = false;
    } else if (changed) {
        m_view.callback = "NULL";
        Enable(IndexDlgControl::Callback);
    }
    // Enter leaves the edit too, even when nothing was typed: only a new number empties the choices.
    if (!IsEdit() && changed) {
        RefillObjectTypeList();
    }
    m_prevIndex = m_nIndex;
}

void IndexDialogRules::SubindexEditFinished() {
    if (m_view.subindex.empty()) {
        m_entered.subindex = false;
    }
    m_nSubindex = ReadHex(m_view.subindex);
}

void IndexDialogRules::NonVolatileClicked(bool checked) {
    m_view.nonVolatile = checked;
}

void IndexDialogRules::RadioClicked(IndexDlgControl radio) {
    switch (radio) {
        case IndexDlgControl::StorageRom:
        case IndexDlgControl::StorageRam:
            m_view.storage = radio == IndexDlgControl::StorageRom ? 0 : 1;
            break;
        case IndexDlgControl::CategoryOptional:
            m_view.category = 0;
            break;
        case IndexDlgControl::CategoryManufacturer:
            m_view.category = 1;
            break;
        case IndexDlgControl::CategoryMandatory:
            m_view.category = 2;
            break;
        case IndexDlgControl::PdoNotMappable:
        case IndexDlgControl::PdoMappable:
            m_view.pdoMapping = radio == IndexDlgControl::PdoMappable ? 1 : 0;
            break;
        default:
            return;
    }
    Enable(IndexDlgControl::Ok);
}
