#pragma once

#include <QWidget>

#include "document/DocumentView.h"
#include "ui/app/QtText.h"

class CQuillmarkDoc;
class QListWidget;

// Read-only form of the EDS Comments section: the comment lines in a list.
class CCommentsWnd : public QWidget, public DocumentView {
    Q_OBJECT
public:
    explicit CCommentsWnd(CQuillmarkDoc& document, QWidget* parent = nullptr);
    ~CCommentsWnd() override;

    void OnUpdate(std::uint32_t hint, const HintObject& object) override;

private:
    CQuillmarkDoc& m_document;
    QtText m_qtText;
    QListWidget* m_list = nullptr;
};
