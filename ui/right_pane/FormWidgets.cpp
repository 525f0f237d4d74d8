#include "ui/right_pane/FormWidgets.h"

#include "ui/app/QtText.h"
#include "ui/right_pane/ReadOnlyField.h"

namespace FormWidgets {

QLabel* AddField(QGridLayout* grid, int row, int column, const char* label, const char* objectName,
                 int controlId, int minimumWidth) {
    auto* caption = new QLabel(QString::fromLatin1(label));
    auto* field = new ReadOnlyField;
    field->setObjectName(QString::fromLatin1(objectName));
    field->setProperty("controlId", controlId);
    field->setMinimumWidth(minimumWidth);
    field->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    caption->setBuddy(field);
    grid->addWidget(caption, row, column * 2);
    grid->addWidget(field, row, column * 2 + 1);
    return field;
}

QCheckBox* MakeCheck(const char* text, const char* objectName, int controlId) {
    auto* box = new QCheckBox(QString::fromLatin1(text));
    box->setObjectName(QString::fromLatin1(objectName));
    box->setProperty("controlId", controlId);
    box->setEnabled(false);
    return box;
}

QRadioButton* MakeRadio(const char* text, const char* objectName, int controlId) {
    auto* radio = new QRadioButton(QString::fromLatin1(text));
    radio->setObjectName(QString::fromLatin1(objectName));
    radio->setProperty("controlId", controlId);
    radio->setEnabled(false);
    return radio;
}

void SetText(QLabel* field, const std::string& text, const QtText& qtText) {
    field->setText(qtText.ToQt(text));
}

}  // namespace FormWidgets
