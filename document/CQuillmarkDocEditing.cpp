#include "document/CQuillmarkDoc.h"
#include "eds/EdsFormat.h"
#include "model/NameTables.h"

namespace {

bool IsSingleKind(std::uint8_t objectType) {
    return objectType == ObjectCode::Var || objectType == ObjectCode::Deftype ||
           objectType == ObjectCode::Domain;
}

std::string IndexLabel(const SubindexEntry& entry) {
    return Format("%04X ", entry.index) + entry.name;
}

std::string SubindexLabel(const SubindexEntry& entry) {
    return Format("%04X, %02X ", entry.index, entry.subindex) + entry.name;
}

constexpr const char* IndexExistsText = "The index 0x%04X already exists!";
constexpr const char* EntryExistsText = "The index 0x%04X, subindex 0x%02X already exists!";

StepTarget IndexTarget(std::uint16_t index) {
    return {StepTarget::Kind::Index, index, 0};
}

StepTarget EntryTarget(std::uint16_t index, std::uint16_t subindex) {
    return {StepTarget::Kind::Subindex, index, subindex};
}

// The number a new entry takes: the header's of an index without entries, otherwise the typed one.
std::uint16_t NewEntrySubindex(const IndexEntry& index, const IndexDialogValues& values) {
    const bool single = IsSingleKind(values.objectType);
    if (single && index.subindices.empty()) {
        return HeaderSingle;
    }
    return single || !index.subindices.empty() ? values.subindex : HeaderStructured;
}

// The values of a dialog that created a new entry. The entry becomes the header of an index without
// entries, otherwise it takes the typed subindex number.
void TakeOverNewEntry(SubindexEntry& entry, IndexEntry& index, const IndexDialogValues& values) {
    entry.dataType = values.dataType;
    entry.objectType = values.objectType;
    entry.pdoMapping = values.pdoMapping;
    entry.defaultValue = values.defaultValue;
    entry.lowLimit = values.lowLimit;
    entry.highLimit = values.highLimit;
    entry.accessType = values.accessType;
    entry.name = values.designator;
    entry.nonVolatile = values.nonVolatile;
    entry.index = index.index;
    entry.subindex = NewEntrySubindex(index, values);
    if (index.subindices.empty()) {
        index.headerSubindex = entry.subindex;
    }
    if (entry.subindex == HeaderStructured && index.subindices.empty()) {
        entry.dataType = 0;
    }
}

// The values of a dialog that edited an existing index (with its first entry) or an entry.
void TakeOverEditedEntry(IndexEntry& index, SubindexEntry& entry, const IndexDialogValues& values,
                         IndexDialogLevel level) {
    const bool single = IsSingleKind(values.objectType);
    if (level == IndexDialogLevel::Index) {
        index.callbackName = values.callback;
        index.category = values.category;
        index.storage = values.storage;
        index.index = values.index;
        index.kindMarker = single ? KindSingle : KindStructured;
        index.headerSubindex = single ? HeaderSingle : HeaderStructured;
        entry.subindex = index.headerSubindex;
        entry.nonVolatile = values.nonVolatile;
    } else {
        entry.subindex = values.subindex;
    }
    if (single) {
        entry.dataType = values.dataType;
        entry.objectType = values.objectType;
        entry.pdoMapping = values.pdoMapping;
        entry.defaultValue = values.defaultValue;
        entry.highLimit = values.highLimit;
        entry.lowLimit = values.lowLimit;
        entry.accessType = values.accessType;
        entry.name = values.designator;
        entry.nonVolatile = values.nonVolatile;
    } else {
        entry.objectType = values.objectType;
        entry.name = values.designator;
        entry.dataType = 0;
    }
}

// Keeps only the header entry, for an index that became a single-entry object.
void DropSubindices(IndexEntry& index) {
    while (index.subindices.size() > 1) {
        index.subindices.pop_back();
        if (index.entryCount > 0) {
            --index.entryCount;
        }
    }
}

void Renumber(IndexEntry& index) {
    for (auto& entry : index.subindices) {
        entry->index = index.index;
    }
}

}  // namespace

bool CQuillmarkDoc::AcceptValues(const IndexDialogValues& values) {
    if (m_pDialogCheck == nullptr) {
        return true;
    }
    const std::string conflict = m_pDialogCheck->conflict(values);
    if (conflict.empty()) {
        return true;
    }
    // Owned by the dialog, which stays open under it.
    m_platform.MessageBox(conflict, m_pDialogCheck->caption, MsgButtons::Ok, MsgIcon::Error, true);
    return false;
}

bool CQuillmarkDoc::RunDialog(IndexDialog& dialog, const DialogValuesCheck& check) {
    m_pDialogCheck = &check;
    const bool accepted = dialog.Run();
    m_pDialogCheck = nullptr;
    return accepted;
}

bool CQuillmarkDoc::PassesAfterDialog(const DialogValuesCheck& check, const IndexDialogValues& values) {
    const std::string conflict = check.conflict(values);
    if (!conflict.empty()) {
        Error(conflict, check.caption);
    }
    return conflict.empty();
}

std::unique_ptr<IndexDialog> CQuillmarkDoc::CreateDialog(IndexDialogMode mode, IndexDialogLevel level) {
    if (m_pDialogs == nullptr) {
        return nullptr;
    }
    std::unique_ptr<IndexDialog> dialog = m_pDialogs->CreateIndexDialog();
    if (dialog) {
        dialog->SetMode(mode);
        dialog->SetLevel(level);
        dialog->SetDocument(this);
    }
    return dialog;
}

DocResult CQuillmarkDoc::AddIndex(std::string& label) {
    auto dialog = CreateDialog(IndexDialogMode::Add, IndexDialogLevel::Index);
    const IndexEntry blankIndex;
    const SubindexEntry blankEntry;
    if (!dialog) {
        return DocResult::Cancelled;
    }
    dialog->Fill(blankIndex, blankEntry);
    const DialogValuesCheck check{"Add new index", [this](const IndexDialogValues& v) {
                                      return IndexExists(v.index) != 0 ? Format(IndexExistsText, v.index)
                                                                       : std::string();
                                  }};
    if (!RunDialog(*dialog, check)) {
        return DocResult::Cancelled;
    }
    const IndexDialogValues values = dialog->Values();
    if (!PassesAfterDialog(check, values)) {
        return DocResult::IndexExists;
    }

    auto index = std::make_unique<IndexEntry>();
    index->index = values.index;
    index->storage = values.storage;
    index->callbackName = values.callback;
    index->category = values.category;

    auto header = std::make_unique<SubindexEntry>();
    TakeOverNewEntry(*header, *index, values);
    label = IndexLabel(*header);
    m_nLastAddedIndex = header->index;
    m_nLastAddedSubindex = header->subindex;
    RecordStep(Format("Add index 0x%04X", index->index), IndexTarget(index->index),
               IndexTarget(index->index));
    IndexEntry& inserted = *index;
    m_pDictionary->InsertIndex(std::move(index));
    m_pDictionary->InsertEntry(std::move(header));
    ++inserted.entryCount;
    SetModifiedFlag(true);
    return DocResult::Done;
}

DocResult CQuillmarkDoc::EditIndex(std::uint16_t indexNumber) {
    IndexEntry* old = FindIndex(indexNumber);
    auto dialog = CreateDialog(IndexDialogMode::Edit, IndexDialogLevel::Index);
    if (old == nullptr || old->Header() == nullptr || !dialog) {
        m_pLastEditedIndex = old;
        return DocResult::Cancelled;
    }
    dialog->Fill(*old, *old->Header());
    const std::uint16_t oldNumber = old->index;
    const DialogValuesCheck check{"Edit index", [this, oldNumber](const IndexDialogValues& v) {
                                      return v.index != oldNumber && IndexExists(v.index) != 0
                                                 ? Format(IndexExistsText, v.index)
                                                 : std::string();
                                  }};
    if (!RunDialog(*dialog, check)) {
        m_pLastEditedIndex = old;
        return DocResult::Cancelled;
    }
    const IndexDialogValues values = dialog->Values();
    if (!PassesAfterDialog(check, values)) {
        m_pLastEditedIndex = old;
        return DocResult::IndexExists;
    }

    std::unique_ptr<IndexEntry> clone = old->Clone();
    TakeOverEditedEntry(*clone, *clone->Header(), values, IndexDialogLevel::Index);
    // OK on what was not changed is no change: no step, and the modified mark stays as it was.
    if (!values.deleteConfirmed && clone->SameContent(*old)) {
        m_pLastEditedIndex = old;
        return DocResult::Cancelled;
    }
    RecordStep(Format("Edit index 0x%04X", old->index), IndexTarget(old->index), IndexTarget(clone->index));
    if (values.deleteConfirmed) {
        DropSubindices(*clone);
        HintObject object;
        object.index = old;
        UpdateAllViews(Hint::SubindicesDropped, object);
    }
    Renumber(*clone);

    std::unique_ptr<IndexEntry> removed = m_pDictionary->RemoveIndexAt(m_pDictionary->GetIndexPosition(*old));
    ForgetIndex(removed.get());
    m_pLastEditedIndex = clone.get();
    m_pDictionary->InsertIndex(std::move(clone));
    removed.reset();
    SetModifiedFlag(true);
    return DocResult::Done;
}

int CQuillmarkDoc::DeleteIndex(std::uint16_t indexNumber) {
    if (IndexEntry* index = FindIndex(indexNumber)) {
        RecordStep(Format("Delete index 0x%04X", indexNumber), IndexTarget(indexNumber),
                   IndexTarget(indexNumber));
        std::unique_ptr<IndexEntry> removed =
            m_pDictionary->RemoveIndexAt(m_pDictionary->GetIndexPosition(*index));
        ForgetIndex(removed.get());
        SetModifiedFlag(true);
    }
    return 1;
}

DocResult CQuillmarkDoc::AddSubindex(std::uint16_t indexNumber, std::string& label) {
    IndexEntry* index = FindIndex(indexNumber);
    auto dialog = CreateDialog(IndexDialogMode::Add, IndexDialogLevel::Subindex);
    if (index == nullptr || !dialog) {
        return DocResult::Cancelled;
    }
    SubindexEntry blankEntry;
    blankEntry.index = index->index;
    dialog->Fill(*index, blankEntry);
    const DialogValuesCheck check{"Add new subindex", [this, index](const IndexDialogValues& v) {
                                      const std::uint16_t subindex = NewEntrySubindex(*index, v);
                                      return EntryExists(index->index, subindex) != 0
                                                 ? Format(EntryExistsText, index->index, subindex)
                                                 : std::string();
                                  }};
    if (!RunDialog(*dialog, check)) {
        return DocResult::Cancelled;
    }
    const IndexDialogValues values = dialog->Values();
    if (!PassesAfterDialog(check, values)) {
        return DocResult::EntryExists;
    }

    auto entry = std::make_unique<SubindexEntry>();
    TakeOverNewEntry(*entry, *index, values);
    label = SubindexLabel(*entry);
    m_nLastAddedIndex = entry->index;
    m_nLastAddedSubindex = entry->subindex;
    RecordStep(Format("Add subindex 0x%04X, 0x%02X", entry->index, entry->subindex),
               EntryTarget(entry->index, entry->subindex), EntryTarget(entry->index, entry->subindex));
    m_pDictionary->InsertEntry(std::move(entry));
    ++index->entryCount;
    SetModifiedFlag(true);
    return DocResult::Done;
}

DocResult CQuillmarkDoc::EditSubindex(std::uint16_t indexNumber, std::uint16_t subindexNumber) {
    IndexEntry* index = FindIndex(indexNumber);
    SubindexEntry* old = FindEntry(indexNumber, subindexNumber);
    auto dialog = CreateDialog(IndexDialogMode::Edit, IndexDialogLevel::Subindex);
    if (old == nullptr || !dialog) {
        m_pLastEditedSubindex = old;
        return DocResult::Cancelled;
    }
    auto copy = std::make_unique<SubindexEntry>(*old);
    dialog->Fill(*index, *copy);
    const std::uint16_t copyIndex = copy->index;
    const DialogValuesCheck check{
        "Edit subindex", [this, indexNumber, subindexNumber, copyIndex](const IndexDialogValues& v) {
            return v.subindex != subindexNumber && EntryExists(indexNumber, v.subindex) != 0
                       ? Format("The index 0x%04X,subindex 0x%02X already exists!", copyIndex, v.subindex)
                       : std::string();
        }};
    if (!RunDialog(*dialog, check)) {
        m_pLastEditedSubindex = old;
        return DocResult::Cancelled;
    }
    const IndexDialogValues values = dialog->Values();
    if (!PassesAfterDialog(check, values)) {
        return DocResult::EntryExists;
    }

    TakeOverEditedEntry(*index, *copy, values, IndexDialogLevel::Subindex);
    // The copy must land in the index it was taken from.
    copy->index = index->index;
    if (*copy == *old) {
        m_pLastEditedSubindex = old;
        return DocResult::Cancelled;
    }
    RecordStep(Format("Edit subindex 0x%04X, 0x%02X", indexNumber, subindexNumber),
               EntryTarget(indexNumber, subindexNumber), EntryTarget(index->index, copy->subindex));
    std::unique_ptr<SubindexEntry> removed =
        m_pDictionary->RemoveEntryAt(*index, m_pDictionary->GetEntryPosition(*index, *old));
    ForgetEntry(removed.get());
    m_pLastEditedSubindex = copy.get();
    m_pDictionary->InsertEntry(std::move(copy));
    SetModifiedFlag(true);
    return DocResult::Done;
}

int CQuillmarkDoc::DeleteSubindex(std::uint16_t indexNumber, std::uint16_t subindexNumber) {
    IndexEntry* index = FindIndex(indexNumber);
    SubindexEntry* entry = FindEntry(indexNumber, subindexNumber);
    if (entry == nullptr) {
        return 0;
    }
    RecordStep(Format("Delete subindex 0x%04X, 0x%02X", indexNumber, subindexNumber),
               EntryTarget(indexNumber, subindexNumber), EntryTarget(indexNumber, subindexNumber));
    std::unique_ptr<SubindexEntry> removed =
        m_pDictionary->RemoveEntryAt(*index, m_pDictionary->GetEntryPosition(*index, *entry));
    ForgetEntry(removed.get());
    if (index->entryCount > 0) {
        --index->entryCount;
    }
    SetModifiedFlag(true);
    return 1;
}

DocResult CQuillmarkDoc::CopyIndex(std::uint16_t indexNumber) {
    IndexEntry* index = FindIndex(indexNumber);
    if (index == nullptr) {
        Error(Format("The index 0x%X could not be copied!", indexNumber), "Copy index");
        return DocResult::CopyIndexFailed;
    }
    m_pCopiedIndex = index;
    m_nNextPasteIndex = static_cast<std::uint16_t>(indexNumber + 1);
    return DocResult::Done;
}

DocResult CQuillmarkDoc::CopySubindex(std::uint16_t indexNumber, std::uint16_t subindexNumber) {
    SubindexEntry* entry = FindEntry(indexNumber, subindexNumber);
    if (entry == nullptr) {
        Error(Format("The subindex 0x%X,0x%X could not be copied!", indexNumber, subindexNumber),
              "Copy subindex");
        return DocResult::CopySubindexFailed;
    }
    m_pCopiedSubindex = entry;
    m_nNextPasteSubindex = static_cast<std::uint16_t>(subindexNumber + 1);
    m_nNextPasteIndex = indexNumber;
    return DocResult::Done;
}

DocResult CQuillmarkDoc::PasteIndex() {
    if (m_pCopiedIndex == nullptr || m_pCopiedIndex->Header() == nullptr) {
        return DocResult::Cancelled;
    }
    std::unique_ptr<IndexEntry> clone = m_pCopiedIndex->Clone();
    clone->index = m_nNextPasteIndex;
    clone->callbackName = DefaultCallbackName(m_nNextPasteIndex);

    auto dialog = CreateDialog(IndexDialogMode::Edit, IndexDialogLevel::Index);
    if (!dialog) {
        return DocResult::Cancelled;
    }
    dialog->Fill(*clone, *clone->Header());
    const DialogValuesCheck check{"Paste index", [this](const IndexDialogValues& v) {
                                      return IndexExists(v.index) != 0 ? Format(IndexExistsText, v.index)
                                                                       : std::string();
                                  }};
    if (!RunDialog(*dialog, check)) {
        return DocResult::Cancelled;
    }
    if (!PassesAfterDialog(check, dialog->Values())) {
        return DocResult::IndexExists;
    }
    TakeOverEditedEntry(*clone, *clone->Header(), dialog->Values(), IndexDialogLevel::Index);
    RecordStep(Format("Paste index 0x%04X", clone->index), IndexTarget(clone->index),
               IndexTarget(clone->index));
    if (dialog->Values().deleteConfirmed) {
        DropSubindices(*clone);
    }
    Renumber(*clone);
    m_pLastPastedIndex = clone.get();
    m_pDictionary->InsertIndex(std::move(clone));
    ++m_nNextPasteIndex;
    SetModifiedFlag(true);
    return DocResult::Done;
}

DocResult CQuillmarkDoc::PasteSubindex(std::uint16_t indexNumber) {
    IndexEntry* target = FindIndex(indexNumber);
    if (m_pCopiedSubindex == nullptr || target == nullptr) {
        return DocResult::SubindexCancelled;
    }
    auto copy = std::make_unique<SubindexEntry>(*m_pCopiedSubindex);
    if (indexNumber != m_nNextPasteIndex) {
        m_nNextPasteIndex = indexNumber;
    }
    copy->index = indexNumber;
    copy->subindex = m_nNextPasteSubindex;

    auto dialog = CreateDialog(IndexDialogMode::Edit, IndexDialogLevel::Subindex);
    if (!dialog) {
        return DocResult::SubindexCancelled;
    }
    dialog->Fill(*target, *copy);
    const DialogValuesCheck check{"Paste subindex", [this, indexNumber](const IndexDialogValues& v) {
                                      return EntryExists(indexNumber, v.subindex) != 0
                                                 ? Format(EntryExistsText, m_nDuplicateIndex,
                                                          m_nDuplicateSubindex)
                                                 : std::string();
                                  }};
    if (!RunDialog(*dialog, check)) {
        return DocResult::SubindexCancelled;
    }
    if (!PassesAfterDialog(check, dialog->Values())) {
        return DocResult::EntryExists;
    }
    TakeOverEditedEntry(*target, *copy, dialog->Values(), IndexDialogLevel::Subindex);
    RecordStep(Format("Paste subindex 0x%04X, 0x%02X", copy->index, copy->subindex),
               EntryTarget(copy->index, copy->subindex), EntryTarget(copy->index, copy->subindex));
    // In subindex order like every other entry, so export and generation see the list in order.
    m_pLastPastedSubindex = copy.get();
    m_pDictionary->InsertEntry(std::move(copy));
    ++target->entryCount;
    ++m_nNextPasteSubindex;
    SetModifiedFlag(true);
    return DocResult::Done;
}
