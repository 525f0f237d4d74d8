#pragma once

#include <QWidget>

#include "document/DocumentView.h"
#include "ui/app/QtText.h"

class CQuillmarkDoc;
class QLabel;

// Read-only form of the EDS FileInfo section.
class CFileInfo : public QWidget, public DocumentView {
    Q_OBJECT
public:
    explicit CFileInfo(CQuillmarkDoc& document, QWidget* parent = nullptr);
    ~CFileInfo() override;

    void OnUpdate(std::uint32_t hint, const HintObject& object) override;

private:
    void Show(const FileInfoSection& section);
    void Clear();

    CQuillmarkDoc& m_document;
    QtText m_qtText;
    QLabel* m_fileName = nullptr;
    QLabel* m_fileVersion = nullptr;
    QLabel* m_fileRevision = nullptr;
    QLabel* m_edsVersion = nullptr;
    QLabel* m_description = nullptr;
    QLabel* m_creationTime = nullptr;
    QLabel* m_creationDate = nullptr;
    QLabel* m_createdBy = nullptr;
    QLabel* m_modifiedBy = nullptr;
    QLabel* m_modificationTime = nullptr;
    QLabel* m_modificationDate = nullptr;
};
