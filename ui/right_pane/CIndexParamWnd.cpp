#include "ui/right_pane/CIndexParamWnd.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "document/CQuillmarkDoc.h"
#include "ui/right_pane/FormWidgets.h"

using FormWidgets::AddField;

namespace {

QGridLayout* AddGroup(QVBoxLayout* outer, const char* title) {
    auto* group = new QGroupBox(QString::fromLatin1(title));
    auto* grid = new QGridLayout(group);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setHorizontalSpacing(12);
    outer->addWidget(group);
    return grid;
}

}  // namespace

CIndexParamWnd::CIndexParamWnd(CQuillmarkDoc& document, QWidget* parent)
    : QWidget(parent), m_document(document), m_qtText(document) {
    setObjectName(QStringLiteral("indexParamForm"));
    auto* page = new QVBoxLayout(this);
    auto* outer = new QGroupBox(QStringLiteral("Index Parameter"));
    page->addWidget(outer);
    page->addStretch(1);
    auto* groups = new QVBoxLayout(outer);

    QGridLayout* designation = AddGroup(groups, "Designation");
    m_parameterName = AddField(designation, 0, 0, "Parameter Name", "fieldParameterName", 1044, 300);

    // Row by row, so that Tab follows the reading order across both columns.
    QGridLayout* parameters = AddGroup(groups, "Index Parameter");
    m_indexNumber = AddField(parameters, 0, 0, "Index Number", "fieldIndexNumber", 1000);
    m_currentSubindex = AddField(parameters, 0, 1, "Current Subindex", "fieldCurrentSubindex", 1029);
    m_storageArea = AddField(parameters, 1, 0, "Storage Area", "fieldStorageArea", 1010);
    m_numberOfSubindices =
        AddField(parameters, 1, 1, "Number of Subindices", "fieldNumberOfSubindices", 1167);
    m_callbackFunction = AddField(parameters, 2, 0, "Callback Function", "fieldCallbackFunction", 1011);
    m_indexCategory = AddField(parameters, 2, 1, "Index Category", "fieldIndexCategory", 1080);

    QGridLayout* values = AddGroup(groups, "Index Values");
    m_objectType = AddField(values, 0, 0, "Object Type", "fieldObjectType", 1023);
    m_defaultValue = AddField(values, 0, 1, "Default Value", "fieldDefaultValue", 1012);
    m_dataType = AddField(values, 1, 0, "Data Type", "fieldDataType", 1022);
    m_lowLimit = AddField(values, 1, 1, "Low Limit", "fieldLowLimit", 1013);
    m_accessType = AddField(values, 2, 0, "AccessType", "fieldAccessType", 1020);
    m_highLimit = AddField(values, 2, 1, "High Limit", "fieldHighLimit", 1014);
    m_pdoMapping = AddField(values, 3, 0, "PDO Mapping", "fieldPdoMapping", 1082);
    m_storeToNvData = AddField(values, 3, 1, "Store to NV Data", "fieldStoreToNvData", 1198);

    m_document.AddView(this);
}

CIndexParamWnd::~CIndexParamWnd() {
    m_document.RemoveView(this);
}

void CIndexParamWnd::OnUpdate(std::uint32_t hint, const HintObject& object) {
    if (m_fields.Apply(hint, object)) {
        UpdateData();
    }
}

void CIndexParamWnd::UpdateData() {
    using FormWidgets::SetText;
    SetText(m_parameterName, m_fields.parameterName, m_qtText);
    SetText(m_indexNumber, m_fields.indexNumber, m_qtText);
    SetText(m_storageArea, m_fields.storageArea, m_qtText);
    SetText(m_callbackFunction, m_fields.callbackFunction, m_qtText);
    SetText(m_currentSubindex, m_fields.currentSubindex, m_qtText);
    SetText(m_numberOfSubindices, m_fields.numberOfSubindices, m_qtText);
    SetText(m_indexCategory, m_fields.indexCategory, m_qtText);
    SetText(m_objectType, m_fields.objectType, m_qtText);
    SetText(m_dataType, m_fields.dataType, m_qtText);
    SetText(m_accessType, m_fields.accessType, m_qtText);
    SetText(m_pdoMapping, m_fields.pdoMapping, m_qtText);
    SetText(m_defaultValue, m_fields.defaultValue, m_qtText);
    SetText(m_lowLimit, m_fields.lowLimit, m_qtText);
    SetText(m_highLimit, m_fields.highLimit, m_qtText);
    SetText(m_storeToNvData, m_fields.storeToNvData, m_qtText);
}
