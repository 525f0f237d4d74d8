#pragma once

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "ui/app/QtText.h"
#include "ui/dialogs/SectionFields.h"

// The controls of a section dialog bound to its field table: an edit box beside its label for texts
// and numbers, a check box for flags. The dialog places them; this class moves the values.
template <class Record>
class FieldControls {
public:
    FieldControls(std::span<const SectionField<Record>> fields, const QtText& qtText)
        : m_fields(fields), m_qtText(qtText), m_widgets(fields.size(), nullptr) {}

    // Creates the named field's control in a grid row: an edit box goes into the given column (and the
    // span after it) with its label in the column before, a check box into the given column alone.
    QWidget* Add(QGridLayout* grid, int row, int column, const char* objectName, int width = 0,
                 int columnSpan = 1) {
        const std::size_t i = IndexOf(objectName);
        const SectionField<Record>& field = m_fields[i];
        QWidget* control = nullptr;
        if (field.kind == FieldKind::Check) {
            control = new QCheckBox(QString::fromLatin1(field.label));
            grid->addWidget(control, row, column);
        } else {
            auto* edit = new QLineEdit;
            auto* label = new QLabel(QString::fromLatin1(field.label));
            label->setBuddy(edit);
            // Numbers keep a short box; texts grow with the dialog.
            if (field.kind == FieldKind::Number) {
                edit->setFixedWidth(width);
            } else {
                edit->setMinimumWidth(width);
            }
            grid->addWidget(label, row, column - 1);
            grid->addWidget(edit, row, column, 1, columnSpan);
            control = edit;
        }
        control->setObjectName(QString::fromLatin1(field.objectName));
        control->setProperty("controlId", field.controlId);
        m_widgets[i] = control;
        return control;
    }

    QLineEdit* Edit(const char* objectName) const {
        return qobject_cast<QLineEdit*>(m_widgets[IndexOf(objectName)]);
    }

    void Load(const Record& record) {
        const std::vector<FieldInput> inputs = LoadFields(record, m_fields);
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (auto* box = qobject_cast<QCheckBox*>(m_widgets[i])) {
                box->setChecked(inputs[i].checked);
            } else if (auto* edit = qobject_cast<QLineEdit*>(m_widgets[i])) {
                // The limit counts characters as shown, which in UTF-8 are fewer than the bytes.
                const QString shown = m_qtText.ToQt(inputs[i].text);
                edit->setMaxLength(TextLimit(m_fields[i].maxChars, static_cast<std::size_t>(shown.size())));
                edit->setText(shown);
            }
        }
    }

    // Reads every control into the record; on a refused value the record stays as it was and the
    // result names the control and its prompt.
    std::optional<std::pair<QWidget*, std::string>> Store(Record& record) const {
        std::vector<FieldInput> inputs = LoadFields(record, m_fields);
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (auto* box = qobject_cast<QCheckBox*>(m_widgets[i])) {
                inputs[i].checked = box->isChecked();
            } else if (auto* edit = qobject_cast<QLineEdit*>(m_widgets[i])) {
                inputs[i].text = m_qtText.FromQtKeeping(edit->text(), inputs[i].text);
            }
        }
        if (const auto problem = StoreFields(record, m_fields, inputs)) {
            return std::make_pair(m_widgets[problem->field], problem->prompt);
        }
        return std::nullopt;
    }

private:
    std::size_t IndexOf(const char* objectName) const {
        const SectionField<Record>* field = FindField(m_fields, objectName);
        Q_ASSERT(field != nullptr);
        return static_cast<std::size_t>(field - m_fields.data());
    }

    std::span<const SectionField<Record>> m_fields;
    QtText m_qtText;
    std::vector<QWidget*> m_widgets;
};
