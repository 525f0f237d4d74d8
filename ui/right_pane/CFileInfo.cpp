#include "ui/right_pane/CFileInfo.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "document/CQuillmarkDoc.h"
#include "ui/right_pane/FormWidgets.h"
#include "ui/right_pane/SectionTexts.h"

using FormWidgets::AddField;
using FormWidgets::SetText;

CFileInfo::CFileInfo(CQuillmarkDoc& document, QWidget* parent)
    : QWidget(parent), m_document(document), m_qtText(document) {
    setObjectName(QStringLiteral("fileInfoForm"));
    auto* page = new QVBoxLayout(this);
    auto* outer = new QGroupBox(QStringLiteral("File Information"));
    page->addWidget(outer);
    page->addStretch(1);
    auto* layout = new QVBoxLayout(outer);

    auto* general = new QGridLayout;
    general->setColumnStretch(1, 1);
    layout->addLayout(general);
    m_fileName = AddField(general, 0, 0, "File Name", "fieldFileName", 1156, 320);
    m_fileVersion = AddField(general, 1, 0, "File Version", "fieldFileVersion", 1158);
    m_fileRevision = AddField(general, 2, 0, "File Revision", "fieldFileRevision", 1157);
    m_edsVersion = AddField(general, 3, 0, "EDS Version", "fieldEdsVersion", 1160);
    m_description = AddField(general, 4, 0, "Description", "fieldDescription", 1159, 320);

    auto* creation = new QGroupBox(QStringLiteral("Creation Parameter"));
    auto* creationGrid = new QGridLayout(creation);
    creationGrid->setColumnStretch(1, 1);
    m_creationTime = AddField(creationGrid, 0, 0, "Creation Time", "fieldCreationTime", 1161);
    m_creationDate = AddField(creationGrid, 1, 0, "Creation Date", "fieldCreationDate", 1162);
    m_createdBy = AddField(creationGrid, 2, 0, "Created By", "fieldCreatedBy", 1163);
    layout->addWidget(creation);

    auto* modification = new QGroupBox(QStringLiteral("Modification Parameter"));
    auto* modificationGrid = new QGridLayout(modification);
    modificationGrid->setColumnStretch(1, 1);
    m_modifiedBy = AddField(modificationGrid, 0, 0, "Modified By", "fieldModifiedBy", 1164);
    m_modificationTime = AddField(modificationGrid, 1, 0, "Modification Time", "fieldModificationTime", 1165);
    m_modificationDate = AddField(modificationGrid, 2, 0, "Modification Date", "fieldModificationDate", 1166);
    layout->addWidget(modification);

    m_document.AddView(this);
}

CFileInfo::~CFileInfo() {
    m_document.RemoveView(this);
}

void CFileInfo::OnUpdate(std::uint32_t hint, const HintObject& object) {
    if (Hint::Low(hint) == Hint::Low(Hint::Reset)) {
        Clear();
    } else if (Hint::Low(hint) == Hint::Low(Hint::ShowFileInfo) && object.fileInfo != nullptr) {
        Show(*object.fileInfo);
    }
}

void CFileInfo::Show(const FileInfoSection& section) {
    SetText(m_fileName, section.FileName, m_qtText);
    SetText(m_fileVersion, SectionNumberText(section.FileVersion), m_qtText);
    SetText(m_fileRevision, SectionNumberText(section.FileRevision), m_qtText);
    SetText(m_edsVersion, section.EDSVersion, m_qtText);
    SetText(m_description, section.Description, m_qtText);
    SetText(m_creationTime, section.CreationTime, m_qtText);
    SetText(m_creationDate, section.CreationDate, m_qtText);
    SetText(m_createdBy, section.CreatedBy, m_qtText);
    SetText(m_modifiedBy, section.ModifiedBy, m_qtText);
    SetText(m_modificationTime, section.ModificationTime, m_qtText);
    SetText(m_modificationDate, section.ModificationDate, m_qtText);
}

void CFileInfo::Clear() {
    for (QLabel* field :
         {m_fileName, m_fileVersion, m_fileRevision, m_edsVersion, m_description, m_creationTime,
          m_creationDate, m_createdBy, m_modifiedBy, m_modificationTime, m_modificationDate}) {
        field->clear();
    }
}
