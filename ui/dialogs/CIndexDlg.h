#pragma once

#include <QDialog>
#include <array>

#include "platform/IndexDialog.h"
#include "ui/app/QtText.h"
#include "ui/dialogs/IndexDialogRules.h"

class Platform;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The modal dialog that adds or edits an index or a subindex. It only shows what IndexDialogRules
// decides and reports every user action to it; its messages go through the platform.
class CIndexDlg : public QDialog, public IndexDialog {
    Q_OBJECT
public:
    CIndexDlg(Platform& platform, const QtText& qtText, QWidget* parent);

    void SetMode(IndexDialogMode mode) override { m_rules.SetMode(mode); }
    void SetLevel(IndexDialogLevel level) override { m_rules.SetLevel(level); }
    void SetDocument(IndexDialogLookups* lookups) override { m_rules.SetLookups(lookups); }
    void Fill(const IndexEntry& index, const SubindexEntry& entry) override { m_rules.Fill(index, entry); }
    bool Run() override;
    IndexDialogValues Values() const override { return m_rules.Values(); }

private:
    QWidget* CreateIndexGroup();
    QWidget* CreateCategoryGroup();
    QWidget* CreateObjectGroup();
    QWidget* CreatePdoGroup();
    QWidget* CreateValuesGroup();
    QWidget* CreateNoticeGroup();
    QLineEdit* AddEdit(IndexDlgControl control, IndexDlgText field, const char* objectName);
    QRadioButton* AddRadio(IndexDlgControl control, const char* text, const char* objectName);
    QComboBox* AddCombo(IndexDlgControl control, const char* objectName,
                        void (IndexDialogRules::*react)(int));
    void ChainTabOrder();
    void OnOk();
    // Shows the rules' view: texts, choices, lists, enabling and a requested focus.
    void Sync();

    IndexDialogRules m_rules;
    QtText m_qtText;
    std::array<QWidget*, static_cast<std::size_t>(IndexDlgControl::Count)> m_controls{};
    QLineEdit* m_editIndex = nullptr;
    QLineEdit* m_editSubindex = nullptr;
    QCheckBox* m_checkNonVolatile = nullptr;
    QComboBox* m_comboObjectType = nullptr;
    QComboBox* m_comboDataType = nullptr;
    QComboBox* m_comboAccessType = nullptr;
    QPushButton* m_buttonOk = nullptr;
    QPushButton* m_buttonCancel = nullptr;
};
