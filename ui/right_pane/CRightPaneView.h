#pragma once

#include <QStackedWidget>
#include <array>

class CQuillmarkDoc;
class CIndexParamWnd;
class CDeviceInfo;
class CFileInfo;
class CDummyUsage;
class CCommentsWnd;

// The right side of the main window: five forms, exactly one of them shown.
class CRightPaneView : public QStackedWidget {
    Q_OBJECT
public:
    // Form numbers of ShowForm.
    enum Form { IndexParam = 1, DeviceInfo = 2, FileInfo = 3, DummyUsage = 4, Comments = 5 };

    explicit CRightPaneView(CQuillmarkDoc& document, QWidget* parent = nullptr);

    // Shows the form with the number 1..5; other numbers and the form already shown change nothing.
    void ShowForm(int formNumber);
    int CurrentForm() const { return m_nCurrentForm; }

    CIndexParamWnd* IndexParamForm() const { return m_pIndexParam; }

    // Moves the focus into the shown form: to its first field, or to the pane itself when the form
    // has none (its check boxes are disabled), where the pane shows the focus frame.
    void FocusCurrentForm(Qt::FocusReason reason);
    QWidget* FirstField() const;

private:
    CIndexParamWnd* m_pIndexParam = nullptr;
    CDeviceInfo* m_pDeviceInfo = nullptr;
    CFileInfo* m_pFileInfo = nullptr;
    CDummyUsage* m_pDummyUsage = nullptr;
    CCommentsWnd* m_pComments = nullptr;
    std::array<QWidget*, 5> m_forms{};
    int m_nCurrentForm = IndexParam;
};
