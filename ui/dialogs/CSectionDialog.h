#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "ui/app/QtText.h"

class Platform;
class QPushButton;
class QVBoxLayout;

// What the four section dialogs share: the title, the body above a row with OK and Cancel, and the
// check on OK. Enter presses OK and Escape cancels; a refused value keeps the dialog open with a
// prompt through the platform and the focus on its control.
class CSectionDialog : public QDialog {
    Q_OBJECT
public:
    // Modal; true when the user closed the dialog with OK.
    bool RunModal() { return exec() == QDialog::Accepted; }

protected:
    CSectionDialog(Platform& platform, const QtText& qtText, const char* title, const char* objectName,
                   const char* okText, QWidget* parent);

    QVBoxLayout* Body() const { return m_body; }
    QPushButton* OkButton() const { return m_ok; }
    // Tab visits the controls in the given order, then OK and Cancel; the first one has the focus
    // when the dialog opens.
    void SetTabOrder(const std::vector<QWidget*>& controls);
    // Shows the prompt for a value that cannot be kept and puts the focus on its control.
    void Refuse(QWidget* control, const std::string& prompt);
    // Reads the controls back on OK; false keeps the dialog open.
    virtual bool Validate() = 0;

    Platform& m_platform;
    QtText m_qtText;

private:
    void accept() override;

    QVBoxLayout* m_body;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
