#include "ui/app/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/app/CaptionWidth.h"
#include "ui/app/IconFactory.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QStringLiteral("About Quillmark"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel;
    icon->setPixmap(Icons::Application().pixmap(32, 32));
    auto* text = new QLabel(QStringLiteral("Quillmark Version 1.09"));
    text->setObjectName(QStringLiteral("aboutText"));
    row->addWidget(icon);
    row->addSpacing(12);
    row->addWidget(text, 1);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    KeepCaptionWhole(*this);
    setFixedSize(sizeHint());
}
