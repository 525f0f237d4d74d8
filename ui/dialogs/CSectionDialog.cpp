#include "ui/dialogs/CSectionDialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Platform.h"
#include "ui/app/CaptionWidth.h"
#include "ui/app/QtText.h"

CSectionDialog::CSectionDialog(Platform& platform, const QtText& qtText, const char* title,
                               const char* objectName, const char* okText, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_qtText(qtText) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromLatin1(title));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    m_body = new QVBoxLayout;
    layout->addLayout(m_body, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(QString::fromLatin1(okText));
    m_ok->setObjectName(QStringLiteral("buttonOk"));
    m_ok->setProperty("controlId", 1);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("&Cancel"));
    m_cancel->setObjectName(QStringLiteral("buttonCancel"));
    m_cancel->setProperty("controlId", 2);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);

    KeepCaptionWhole(*this);
    connect(m_ok, &QPushButton::clicked, this, &CSectionDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CSectionDialog::reject);
}

void CSectionDialog::SetTabOrder(const std::vector<QWidget*>& controls) {
    if (!controls.empty()) {
        controls.front()->setFocus();
    }
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous != nullptr) {
            setTabOrder(previous, control);
        }
        previous = control;
    }
    if (previous != nullptr) {
        setTabOrder(previous, m_ok);
    }
    setTabOrder(m_ok, m_cancel);
}

void CSectionDialog::Refuse(QWidget* control, const std::string& prompt) {
    m_platform.MessageBox(prompt, m_qtText.FromQt(windowTitle()), MsgButtons::Ok, MsgIcon::Exclamation, true);
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->selectAll();
    }
}

void CSectionDialog::accept() {
    if (Validate()) {
        QDialog::accept();
    }
}
