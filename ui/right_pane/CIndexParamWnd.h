#pragma once

#include <QWidget>

#include "document/DocumentView.h"
#include "ui/app/QtText.h"
#include "ui/right_pane/IndexParamFields.h"

class CQuillmarkDoc;
class QLabel;

// The read-only form that shows the index or subindex selected in the tree.
class CIndexParamWnd : public QWidget, public DocumentView {
    Q_OBJECT
public:
    explicit CIndexParamWnd(CQuillmarkDoc& document, QWidget* parent = nullptr);
    ~CIndexParamWnd() override;

    void OnUpdate(std::uint32_t hint, const HintObject& object) override;
    const IndexParamFields& Fields() const { return m_fields; }

private:
    void UpdateData();

    CQuillmarkDoc& m_document;
    QtText m_qtText;
    IndexParamFields m_fields;
    QLabel* m_parameterName = nullptr;
    QLabel* m_indexNumber = nullptr;
    QLabel* m_storageArea = nullptr;
    QLabel* m_callbackFunction = nullptr;
    QLabel* m_currentSubindex = nullptr;
    QLabel* m_numberOfSubindices = nullptr;
    QLabel* m_indexCategory = nullptr;
    QLabel* m_objectType = nullptr;
    QLabel* m_dataType = nullptr;
    QLabel* m_accessType = nullptr;
    QLabel* m_pdoMapping = nullptr;
    QLabel* m_defaultValue = nullptr;
    QLabel* m_lowLimit = nullptr;
    QLabel* m_highLimit = nullptr;
    QLabel* m_storeToNvData = nullptr;
};
