#include "ui/dialogs/CIndexDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/app/QtText.h"

namespace {

constexpr int NameEditWidth = 170;

std::size_t Slot(IndexDlgControl control) {
    return static_cast<std::size_t>(control);
}

QGroupBox* Group(const char* title, const char* objectName) {
    auto* group = new QGroupBox(QString::fromLatin1(title));
    group->setObjectName(QString::fromLatin1(objectName));
    return group;
}

// The edits and which text of the view each one shows.
struct EditBinding {
    IndexDlgControl control;
    IndexDlgText field;
};
constexpr EditBinding Edits[] = {
    {IndexDlgControl::Index, IndexDlgText::Index},
    {IndexDlgControl::Subindex, IndexDlgText::Subindex},
    {IndexDlgControl::Designator, IndexDlgText::Designator},
    {IndexDlgControl::Callback, IndexDlgText::Callback},
    {IndexDlgControl::DefaultValue, IndexDlgText::DefaultValue},
    {IndexDlgControl::LowLimit, IndexDlgText::LowLimit},
    {IndexDlgControl::HighLimit, IndexDlgText::HighLimit},
};

void ShowList(QComboBox* combo, const IndexDlgList& list, const QtText& qtText) {
    QStringList names;
    for (const std::string& name : list.names) {
        names << qtText.ToQt(name);
    }
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i) {
        shown << combo->itemText(i);
    }
    if (shown != names) {
        combo->clear();
        combo->addItems(names);
    }
    combo->setCurrentIndex(list.selected);
}

}  // namespace

CIndexDlg::CIndexDlg(Platform& platform, const QtText& qtText, QWidget* parent)
    : QDialog(parent), m_rules(platform), m_qtText(qtText) {
    setObjectName(QStringLiteral("indexDialog"));
    auto* columns = new QHBoxLayout;
    // Two columns of about the same height, the buttons at the bottom right: the dialog stays within a
    // 1280x800 screen at 200% scaling.
    auto* left = new QVBoxLayout;
    left->addWidget(CreateIndexGroup());
    left->addWidget(CreateCategoryGroup());
    left->addWidget(CreateNoticeGroup());
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(CreateObjectGroup());
    right->addWidget(CreatePdoGroup());
    right->addWidget(CreateValuesGroup());
    right->addStretch(1);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    m_buttonOk = new QPushButton(QStringLiteral("&Ok"));
    m_buttonOk->setObjectName(QStringLiteral("buttonOk"));
    m_buttonOk->setDefault(true);
    m_buttonCancel = new QPushButton(QStringLiteral("&Cancel"));
    m_buttonCancel->setObjectName(QStringLiteral("buttonCancel"));
    m_controls[Slot(IndexDlgControl::Ok)] = m_buttonOk;
    connect(m_buttonOk, &QPushButton::clicked, this, &CIndexDlg::OnOk);
    connect(m_buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_buttonOk);
    buttons->addWidget(m_buttonCancel);
    right->addLayout(buttons);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(6, 6, 6, 6);
    page->addLayout(columns);
    page->setSizeConstraint(QLayout::SetFixedSize);
    ChainTabOrder();
}

QLineEdit* CIndexDlg::AddEdit(IndexDlgControl control, IndexDlgText field, const char* objectName) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(objectName));
    m_controls[Slot(control)] = edit;
    // Only the user's typing counts as an entry; texts the dialog sets itself do not.
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
        m_rules.TextEdited(field, m_qtText.FromQt(text));
        Sync();
    });
    return edit;
}

QRadioButton* CIndexDlg::AddRadio(IndexDlgControl control, const char* text, const char* objectName) {
    auto* radio = new QRadioButton(QString::fromLatin1(text));
    radio->setObjectName(QString::fromLatin1(objectName));
    m_controls[Slot(control)] = radio;
    connect(radio, &QRadioButton::clicked, this, [this, control] {
        m_rules.RadioClicked(control);
        Sync();
    });
    return radio;
}

QComboBox* CIndexDlg::AddCombo(IndexDlgControl control, const char* objectName,
                               void (IndexDialogRules::*react)(int)) {
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(objectName));
    combo->setMinimumContentsLength(16);
    m_controls[Slot(control)] = combo;
    connect(combo, &QComboBox::activated, this, [this, react](int position) {
        (m_rules.*react)(position);
        Sync();
    });
    return combo;
}

QWidget* CIndexDlg::CreateIndexGroup() {
    QGroupBox* group = Group("Index Parameter", "groupIndexParameter");
    auto* form = new QFormLayout(group);
    m_editIndex = AddEdit(IndexDlgControl::Index, IndexDlgText::Index, "editIndex");
    m_editSubindex = AddEdit(IndexDlgControl::Subindex, IndexDlgText::Subindex, "editSubindex");
    // The numbers react when their edit is left, or Enter is pressed in it.
    connect(m_editIndex, &QLineEdit::editingFinished, this, [this] {
        m_rules.IndexEditFinished();
        Sync();
    });
    connect(m_editSubindex, &QLineEdit::editingFinished, this, [this] {
        m_rules.SubindexEditFinished();
        Sync();
    });
    form->addRow(QStringLiteral("Index"), m_editIndex);
    form->addRow(QStringLiteral("Subindex"), m_editSubindex);
    QLineEdit* designator = AddEdit(IndexDlgControl::Designator, IndexDlgText::Designator, "editDesignator");
    QLineEdit* callback = AddEdit(IndexDlgControl::Callback, IndexDlgText::Callback, "editCallback");
    // Designators and callback names are often long; give them room.
    designator->setMinimumWidth(NameEditWidth);
    callback->setMinimumWidth(NameEditWidth);
    form->addRow(QStringLiteral("Designator"), designator);
    form->addRow(QStringLiteral("Callback Function"), callback);
    m_checkNonVolatile = new QCheckBox(QStringLiteral("Store to Non Volatile Data"));
    m_checkNonVolatile->setObjectName(QStringLiteral("checkNonVolatile"));
    m_controls[Slot(IndexDlgControl::NonVolatile)] = m_checkNonVolatile;
    connect(m_checkNonVolatile, &QCheckBox::clicked, this, [this](bool checked) {
        m_rules.NonVolatileClicked(checked);
        Sync();
    });
    form->addRow(m_checkNonVolatile);
    return group;
}

QWidget* CIndexDlg::CreateCategoryGroup() {
    QGroupBox* group = Group("Memory Location and Index Category", "groupMemoryAndCategory");
    // Each radio group has a parent of its own, so the arrow keys move within it only; one row each.
    auto* storage = new QWidget;
    auto* storageRow = new QHBoxLayout(storage);
    storageRow->setContentsMargins(0, 0, 0, 0);
    storageRow->addWidget(AddRadio(IndexDlgControl::StorageRom, "ROM", "radioRom"));
    storageRow->addWidget(AddRadio(IndexDlgControl::StorageRam, "RAM", "radioRam"));
    storageRow->addStretch(1);
    auto* category = new QWidget;
    auto* categoryRow = new QHBoxLayout(category);
    categoryRow->setContentsMargins(0, 0, 0, 0);
    categoryRow->addWidget(AddRadio(IndexDlgControl::CategoryOptional, "Optional", "radioOptional"));
    categoryRow->addWidget(
        AddRadio(IndexDlgControl::CategoryManufacturer, "Manufacturer", "radioManufacturer"));
    categoryRow->addWidget(AddRadio(IndexDlgControl::CategoryMandatory, "Mandatory", "radioMandatory"));
    categoryRow->addStretch(1);
    auto* rows = new QVBoxLayout(group);
    rows->addWidget(storage);
    rows->addWidget(category);
    return group;
}

QWidget* CIndexDlg::CreateObjectGroup() {
    QGroupBox* group = Group("Object Parameter", "groupObjectParameter");
    auto* form = new QFormLayout(group);
    m_comboObjectType =
        AddCombo(IndexDlgControl::ObjectType, "comboObjectType", &IndexDialogRules::ObjectTypeChosen);
    m_comboDataType = AddCombo(IndexDlgControl::DataType, "comboDataType", &IndexDialogRules::DataTypeChosen);
    m_comboAccessType =
        AddCombo(IndexDlgControl::AccessType, "comboAccessType", &IndexDialogRules::AccessTypeChosen);
    form->addRow(QStringLiteral("ObjectType"), m_comboObjectType);
    form->addRow(QStringLiteral("DataType"), m_comboDataType);
    form->addRow(QStringLiteral("AccessType"), m_comboAccessType);
    return group;
}

QWidget* CIndexDlg::CreatePdoGroup() {
    QGroupBox* group = Group("PDO Mapping", "groupPdoMapping");
    auto* row = new QHBoxLayout(group);
    row->addWidget(AddRadio(IndexDlgControl::PdoNotMappable, "PDO Not Mappable", "radioPdoNotMappable"));
    row->addWidget(AddRadio(IndexDlgControl::PdoMappable, "PDO Mappable", "radioPdoMappable"));
    row->addStretch(1);
    return group;
}

QWidget* CIndexDlg::CreateValuesGroup() {
    QGroupBox* group = Group("Values", "groupValues");
    auto* form = new QFormLayout(group);
    QLineEdit* defaultValue =
        AddEdit(IndexDlgControl::DefaultValue, IndexDlgText::DefaultValue, "editDefaultValue");
    form->addRow(QStringLiteral("Default Values"), defaultValue);
    form->addRow(QStringLiteral("Low Limit"),
                 AddEdit(IndexDlgControl::LowLimit, IndexDlgText::LowLimit, "editLowLimit"));
    form->addRow(QStringLiteral("High Limit"),
                 AddEdit(IndexDlgControl::HighLimit, IndexDlgText::HighLimit, "editHighLimit"));
    return group;
}

QWidget* CIndexDlg::CreateNoticeGroup() {
    QGroupBox* group = Group("Notice", "groupNotice");
    auto* column = new QVBoxLayout(group);
    auto* notice = new QLabel(QStringLiteral(
        "The values have to be entered in hexa-\ndecimal, decimal or floating point format ! \n"
        "Examples: hex->0x1000; dec->10; float->55.25"));
    notice->setObjectName(QStringLiteral("labelNotice"));
    column->addWidget(notice);
    return group;
}

void CIndexDlg::ChainTabOrder() {
    // The reading order: the index group, memory and category, object, PDO mapping, values, buttons.
    QWidget* previous = nullptr;
    for (QWidget* control : m_controls) {
        if (previous != nullptr && control != nullptr) {
            setTabOrder(previous, control);
        }
        previous = control != nullptr ? control : previous;
    }
    setTabOrder(m_buttonOk, m_buttonCancel);
}

bool CIndexDlg::Run() {
    m_rules.Open();
    // Before the texts are shown: an edit cuts a text longer than its limit.
    for (const EditBinding& binding : Edits) {
        static_cast<QLineEdit*>(m_controls[Slot(binding.control)])
            ->setMaxLength(m_rules.TextLimitOf(binding.field));
    }
    Sync();
    return exec() == QDialog::Accepted;
}

void CIndexDlg::OnOk() {
    if (m_rules.Accept()) {
        accept();
        return;
    }
    Sync();
}

void CIndexDlg::Sync() {
    const IndexDlgView& view = m_rules.View();
    setWindowTitle(m_qtText.ToQt(view.caption));
    for (const EditBinding& binding : Edits) {
        auto* edit = static_cast<QLineEdit*>(m_controls[Slot(binding.control)]);
        const QString text = m_qtText.ToQt(view.Text(binding.field));
        // Setting an unchanged text would move the cursor of the edit being typed in.
        if (edit->text() != text) {
            const QSignalBlocker blocker(edit);
            edit->setText(text);
        }
    }
    m_checkNonVolatile->setChecked(view.nonVolatile);
    const std::pair<IndexDlgControl, bool> radios[] = {
        {IndexDlgControl::StorageRom, view.storage == 0},
        {IndexDlgControl::StorageRam, view.storage == 1},
        {IndexDlgControl::CategoryOptional, view.category == 0},
        {IndexDlgControl::CategoryManufacturer, view.category == 1},
        {IndexDlgControl::CategoryMandatory, view.category == 2},
        {IndexDlgControl::PdoNotMappable, view.pdoMapping == 0},
        {IndexDlgControl::PdoMappable, view.pdoMapping == 1},
    };
    for (const auto& [control, checked] : radios) {
        if (checked) {
            static_cast<QRadioButton*>(m_controls[Slot(control)])->setChecked(true);
        }
    }
    {
        const QSignalBlocker objectTypes(m_comboObjectType);
        const QSignalBlocker dataTypes(m_comboDataType);
        const QSignalBlocker accessTypes(m_comboAccessType);
        ShowList(m_comboObjectType, view.objectTypes, m_qtText);
        ShowList(m_comboDataType, view.dataTypes, m_qtText);
        ShowList(m_comboAccessType, view.accessTypes, m_qtText);
    }
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i] != nullptr) {
            m_controls[i]->setEnabled(view.enabled.test(i));
        }
    }
    if (const auto focus = m_rules.TakeFocusRequest()) {
        m_controls[Slot(*focus)]->setFocus();
    }
}
