#include <utility>

#include "document/CQuillmarkDoc.h"
#include "eds/EdsFormat.h"
#include "model/NameTables.h"

namespace {

bool IsSingleKind(std::uint8_t objectType) {
    return objectType == ObjectCode::Var || objectType == ObjectCode::Deftype ||
           objectType == ObjectCode::Domain;
}

}  // namespace

std::uint16_t CQuillmarkDoc::GetIndexCount() const {
    return m_pDictionary->GetIndexCount();
}

IndexEntry* CQuillmarkDoc::GetIndexAt(std::uint16_t position) {
    return m_pDictionary->GetIndexAt(position);
}

const IndexEntry* CQuillmarkDoc::GetIndexAt(std::uint16_t position) const {
    return std::as_const(*m_pDictionary).GetIndexAt(position);
}

std::uint16_t CQuillmarkDoc::GetEntryCount(std::uint16_t position) const {
    const IndexEntry* index = m_pDictionary->GetIndexAt(position);
    return index != nullptr ? m_pDictionary->GetEntryCount(*index) : 0;
}

SubindexEntry* CQuillmarkDoc::GetEntryAt(std::uint16_t position, std::uint16_t entryPosition) {
    IndexEntry* index = m_pDictionary->GetIndexAt(position);
    return index != nullptr ? m_pDictionary->GetEntryAt(*index, entryPosition) : nullptr;
}

const SubindexEntry* CQuillmarkDoc::GetEntryAt(std::uint16_t position, std::uint16_t entryPosition) const {
    const ObjectDictionary& dictionary = *m_pDictionary;
    const IndexEntry* index = dictionary.GetIndexAt(position);
    return index != nullptr ? dictionary.GetEntryAt(*index, entryPosition) : nullptr;
}

std::string CQuillmarkDoc::GetTreeLabel(std::uint16_t position, std::uint16_t entryPosition) const {
    const SubindexEntry* entry = GetEntryAt(position, entryPosition);
    if (entry == nullptr) {
        return {};
    }
    const std::string prefix = entryPosition == 0 ? Format("%04X ", entry->index)
                                                  : Format("%04X, %02X ", entry->index, entry->subindex);
    return prefix + entry->name;
}

IndexEntry* CQuillmarkDoc::FindIndex(std::uint16_t indexNumber) {
    return m_pDictionary->FindIndexForEntry(indexNumber);
}

const IndexEntry* CQuillmarkDoc::FindIndex(std::uint16_t indexNumber) const {
    return std::as_const(*m_pDictionary).FindIndexForEntry(indexNumber);
}

SubindexEntry* CQuillmarkDoc::FindEntry(std::uint16_t indexNumber, std::uint16_t subindexNumber) {
    return m_pDictionary->FindEntry(indexNumber, subindexNumber);
}

const SubindexEntry* CQuillmarkDoc::FindEntry(std::uint16_t indexNumber, std::uint16_t subindexNumber) const {
    return std::as_const(*m_pDictionary).FindEntry(indexNumber, subindexNumber);
}

int CQuillmarkDoc::IndexExists(std::uint16_t indexNumber) {
    const IndexEntry* index = FindIndex(indexNumber);
    if (index == nullptr) {
        return 0;
    }
    m_nDuplicateIndex = index->index;
    return 1;
}

int CQuillmarkDoc::EntryExists(std::uint16_t indexNumber, std::uint16_t subindexNumber) {
    const SubindexEntry* entry = FindEntry(indexNumber, subindexNumber);
    if (entry == nullptr) {
        return 0;
    }
    m_nDuplicateIndex = indexNumber;
    m_nDuplicateSubindex = entry->subindex;
    return 1;
}

void CQuillmarkDoc::GetLastDuplicate(std::uint16_t& indexNumber, std::uint16_t& subindexNumber) const {
    indexNumber = m_nDuplicateIndex;
    subindexNumber = m_nDuplicateSubindex;
}

void CQuillmarkDoc::GetLastAdded(std::uint16_t& indexNumber, std::uint16_t& subindexNumber) const {
    indexNumber = m_nLastAddedIndex;
    subindexNumber = m_nLastAddedSubindex;
}

int CQuillmarkDoc::MayHoldSubindices(std::uint16_t indexNumber) const {
    const IndexEntry* index = FindIndex(indexNumber);
    if (index == nullptr || index->Header() == nullptr) {
        return 1;
    }
    return IsSingleKind(index->Header()->objectType) ? 0 : 1;
}

int CQuillmarkDoc::HasDefaultCallback(std::uint16_t indexNumber) {
    return m_pDictionary->LookupDefaultCallback(indexNumber);
}

std::string CQuillmarkDoc::DefaultCallbackName(std::uint16_t indexNumber) {
    return m_pDictionary->LookupDefaultCallback(indexNumber) != 0 ? m_pDictionary->GetLookupResult()
                                                                  : std::string("NULL");
}

void CQuillmarkDoc::ShowIndex(std::uint16_t indexNumber) {
    if (indexNumber == 0) {
        UpdateAllViews(Hint::ShowIndexZero);
        return;
    }
    if (IndexEntry* index = FindIndex(indexNumber)) {
        HintObject object;
        object.index = index;
        UpdateAllViews(Hint::ShowIndex, object);
    }
}

void CQuillmarkDoc::ShowEntry(std::uint16_t indexNumber, std::uint16_t subindexNumber) {
    const IndexEntry* index = FindIndex(indexNumber);
    if (index == nullptr) {
        return;
    }
    std::uint32_t hint = Hint::ShowSubindex;
    if (subindexNumber == FirstEntry) {
        if (index->Header() == nullptr) {
            return;
        }
        subindexNumber = index->Header()->subindex;
        hint = subindexNumber == HeaderStructured ? Hint::ShowStructuredHeader : Hint::ShowSingleEntry;
    } else if (subindexNumber == HeaderStructured) {
        hint = Hint::ShowStructuredHeader;
    } else if (subindexNumber == HeaderSingle) {
        hint = Hint::ShowSingleEntry;
    }
    if (SubindexEntry* entry = FindEntry(indexNumber, subindexNumber)) {
        HintObject object;
        object.entry = entry;
        UpdateAllViews(hint, object);
    }
}

void CQuillmarkDoc::ShowDeviceInfo() {
    HintObject object;
    object.deviceInfo = m_pDeviceInfo.get();
    UpdateAllViews(Hint::ShowDeviceInfo, object);
}

void CQuillmarkDoc::ShowFileInfo() {
    HintObject object;
    object.fileInfo = m_pFileInfo.get();
    UpdateAllViews(Hint::ShowFileInfo, object);
}

void CQuillmarkDoc::ShowDummyUsage() {
    HintObject object;
    object.deviceInfo = m_pDeviceInfo.get();
    UpdateAllViews(Hint::ShowDummyUsage, object);
}

void CQuillmarkDoc::ShowComments() {
    HintObject object;
    object.comments = &m_pDictionary->CommentLines();
    UpdateAllViews(Hint::ShowComments, object);
}

void CQuillmarkDoc::EntryEdited(SubindexEntry* entry) {
    if (entry == nullptr) {
        return;
    }
    HintObject object;
    object.entry = entry;
    UpdateAllViews(entry->IsHeader() ? Hint::HeaderEdited : Hint::SubindexEdited, object);
}
