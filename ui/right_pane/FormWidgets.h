#pragma once

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <string>

#include "ui/app/QtText.h"

// Building blocks of the read-only forms of the right pane: sunken text fields beside their labels
// and disabled check boxes. Every field carries an object name and the control id of its form. The
// fields take the focus in the order they are added.
namespace FormWidgets {

QLabel* AddField(QGridLayout* grid, int row, int column, const char* label, const char* objectName,
                 int controlId, int minimumWidth = 120);
QCheckBox* MakeCheck(const char* text, const char* objectName, int controlId);
QRadioButton* MakeRadio(const char* text, const char* objectName, int controlId);
// Shows a text of the document in the field.
void SetText(QLabel* field, const std::string& text, const QtText& qtText);

}  // namespace FormWidgets
