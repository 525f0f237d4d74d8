#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/IndexEntry.h"
#include "platform/IndexDialog.h"

class Platform;

// The edits' own length limits.
constexpr int SubindexMaxLength = 4;
constexpr int DefaultValueMaxLength = 256;

// The controls of the index and subindex dialog, in reading order (the order of the tab key).
enum class IndexDlgControl {
    Index,
    Subindex,
    Designator,
    Callback,
    NonVolatile,
    StorageRom,
    StorageRam,
    CategoryOptional,
    CategoryManufacturer,
    CategoryMandatory,
    ObjectType,
    DataType,
    AccessType,
    PdoNotMappable,
    PdoMappable,
    DefaultValue,
    LowLimit,
    HighLimit,
    Ok,
    Count
};

// The edit fields the user types into.
enum class IndexDlgText { Index, Subindex, Designator, Callback, DefaultValue, LowLimit, HighLimit };

// A drop-down list: the names it offers and the chosen position (-1 for none).
struct IndexDlgList {
    std::vector<std::string> names;
    int selected = -1;
};

// Everything the dialog shows: caption, texts, choices, lists and which controls are enabled.
struct IndexDlgView {
    std::string caption;
    std::string index;
    std::string subindex;
    std::string designator;
    std::string callback;
    std::string defaultValue;
    std::string lowLimit;
    std::string highLimit;
    bool nonVolatile = false;
    int storage = 0;     // 0 ROM, 1 RAM
    int category = 0;    // 0 optional, 1 manufacturer, 2 mandatory
    int pdoMapping = 0;  // 0 not mappable, 1 mappable
    IndexDlgList objectTypes;
    IndexDlgList dataTypes;
    IndexDlgList accessTypes;
    std::bitset<static_cast<std::size_t>(IndexDlgControl::Count)> enabled;

    bool IsEnabled(IndexDlgControl control) const { return enabled.test(static_cast<std::size_t>(control)); }
    std::string& Text(IndexDlgText field);
    const std::string& Text(IndexDlgText field) const { return const_cast<IndexDlgView*>(this)->Text(field); }
};

// What the user has entered or chosen so far; the checks on OK read these flags.
struct IndexDlgEntered {
    bool index = false;
    bool subindex = false;
    bool designator = false;
    bool callback = false;
    bool objectType = false;
    bool dataType = false;
    bool accessType = false;
    bool defaultValue = false;
    bool lowLimit = false;
    bool highLimit = false;
};

// The index and subindex dialog without its widgets: the initial state of each mode, the list
// fillings, the reactions to the user's input, the delete question, the checks on OK and the values
// handed back. The Qt dialog shows View() and reports every user action here. Its own message boxes go
// through the platform, owned by the dialog.
class IndexDialogRules {
public:
    explicit IndexDialogRules(Platform& platform) : m_platform(platform) {}

    void SetMode(IndexDialogMode mode) { m_mode = mode; }
    void SetLevel(IndexDialogLevel level) { m_level = level; }
    void SetLookups(IndexDialogLookups* lookups) { m_pLookups = lookups; }
    void Fill(const IndexEntry& index, const SubindexEntry& entry);
    // Sets up the controls for the mode and level, as the dialog opens.
    void Open();

    const IndexDlgView& View() const { return m_view; }
    // The most characters an edit takes: its own limit, but never fewer than the text it opened with,
    // so a long value read from a file is neither cut nor lost at the first keystroke.
    int TextLimitOf(IndexDlgText field) const;
    const IndexDlgEntered& Entered() const { return m_entered; }
    bool DeleteConfirmed() const { return m_bDeleteAnswer; }
    // The control that is to take the focus now, handed out once.
    std::optional<IndexDlgControl> TakeFocusRequest();

    // The user's actions.
    void TextEdited(IndexDlgText field, const std::string& text);
    void IndexEditFinished();
    void SubindexEditFinished();
    void NonVolatileClicked(bool checked);
    void RadioClicked(IndexDlgControl radio);
    void ObjectTypeChosen(int position);
    void DataTypeChosen(int position);
    void AccessTypeChosen(int position);
    // The OK button: true when every check passed and the dialog may close.
    bool Accept();

    // The values as the dialog hands them back after OK.
    IndexDialogValues Values() const;

private:
    bool IsEdit() const { return m_mode == IndexDialogMode::Edit; }
    bool AtIndexLevel() const { return m_level == IndexDialogLevel::Index; }
    void Enable(IndexDlgControl control, bool enable = true);
    void EnableValueEdits(bool enable);
    void EnablePdoRadios(bool enable);
    bool PdoRadiosAllowed() const;
    void ShowFilledValues();
    void OpenAddIndex();
    void OpenAddSubindex();
    void OpenEditIndex();
    void OpenEditSubindex();
    void ApplyIndexRange(unsigned long number, bool numberChanged, bool selectCategory);

    // List fillings (IndexDialogLists.cpp).
    void FillObjectTypeList();
    void RefillObjectTypeList();
    void FillDataTypeList(std::uint8_t objectType);
    void FillAccessList(std::uint8_t dataType);
    void SelectFilledChoices();
    void ClearSelections();
    void EmptyValueTexts();
    void ResetForStructuredType();
    void SetValueFlags(bool entered);
    bool AskToDeleteSubindices();

    // Checks on OK (IndexDialogChecks.cpp).
    bool Refuse(const char* text, const char* caption, IndexDlgControl focus);

    Platform& m_platform;
    IndexDialogMode m_mode = IndexDialogMode::Add;
    IndexDialogLevel m_level = IndexDialogLevel::Index;
    IndexDialogLookups* m_pLookups = nullptr;

    // What the dialog was filled from.
    std::unique_ptr<IndexEntry> m_pIndex = std::make_unique<IndexEntry>();
    std::size_t m_nIndexEntries = 0;
    SubindexEntry m_entry;

    IndexDlgView m_view;
    IndexDlgEntered m_entered;
    std::optional<IndexDlgControl> m_focusRequest;

    unsigned long m_nIndex = 0;
    unsigned long m_nSubindex = 0;
    std::uint8_t m_nObjectType = 0;
    std::uint8_t m_nDataType = 0;
    std::string m_strAccessType;
    std::optional<std::uint8_t> m_prevObjectType;
    std::optional<std::uint8_t> m_prevDataType;
    std::optional<unsigned long> m_prevIndex;
    // Position of the data type list to its code, position of the access list to its EDS form.
    std::vector<std::uint8_t> m_dataTypeCodes;
    std::vector<std::string> m_accessForms;
    bool m_bDeleteAnswer = false;
    // The length of each edit's text as the dialog opened, by IndexDlgText.
    std::array<std::size_t, 7> m_openLengths{};
};

// The text read as a hexadecimal number the way strtoul reads it (leading blanks, optional sign and
// "0x"; it stops at the first other character). Empty text gives 0.
unsigned long ReadHex(const std::string& text);
// Whether the whole text is such a number (empty text included).
bool IsWholeHex(const std::string& text);
