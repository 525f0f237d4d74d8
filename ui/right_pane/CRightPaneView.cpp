#include "ui/right_pane/CRightPaneView.h"

#include <QScrollArea>

#include "ui/app/FocusFrame.h"
#include "ui/right_pane/CCommentsWnd.h"
#include "ui/right_pane/CDeviceInfo.h"
#include "ui/right_pane/CDummyUsage.h"
#include "ui/right_pane/CFileInfo.h"
#include "ui/right_pane/CIndexParamWnd.h"

namespace {

// The forms keep their natural size; a pane narrower than a form scrolls instead of squeezing it.
QWidget* Scrollable(QWidget* form) {
    auto* area = new QScrollArea;
    area->setObjectName(form->objectName() + QStringLiteral("Scroll"));
    area->setWidget(form);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    // The fields take the focus; the area around them is no Tab stop of its own.
    area->setFocusPolicy(Qt::NoFocus);
    return area;
}

}  // namespace

CRightPaneView::CRightPaneView(CQuillmarkDoc& document, QWidget* parent) : QStackedWidget(parent) {
    setObjectName(QStringLiteral("rightPane"));
    // The pane is reached by F6 (FocusCurrentForm), not by Tab or click; the margin leaves room for
    // its focus frame.
    setFocusPolicy(Qt::NoFocus);
    setContentsMargins(FocusFrameWidth, FocusFrameWidth, FocusFrameWidth, FocusFrameWidth);
    ShowFocusFrame(this);
    m_pIndexParam = new CIndexParamWnd(document);
    m_pDeviceInfo = new CDeviceInfo(document);
    m_pFileInfo = new CFileInfo(document);
    m_pComments = new CCommentsWnd(document);
    m_pDummyUsage = new CDummyUsage(document);
    m_forms = {m_pIndexParam, m_pDeviceInfo, m_pFileInfo, m_pDummyUsage, m_pComments};
    for (QWidget* form : m_forms) {
        addWidget(form == m_pComments ? form : Scrollable(form));
    }
    setCurrentIndex(0);
}

void CRightPaneView::ShowForm(int formNumber) {
    if (formNumber < IndexParam || formNumber > Comments || formNumber == m_nCurrentForm) {
        return;
    }
    setCurrentIndex(formNumber - 1);
    m_nCurrentForm = formNumber;
}

QWidget* CRightPaneView::FirstField() const {
    // The focus chain runs through the whole window; the first Tab stop inside the shown form wins.
    QWidget* form = currentWidget();
    for (QWidget* widget = form->nextInFocusChain(); widget != form; widget = widget->nextInFocusChain()) {
        if (form->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) != 0 &&
            widget->isEnabled() && widget->isVisibleTo(form)) {
            return widget;
        }
    }
    return nullptr;
}

void CRightPaneView::FocusCurrentForm(Qt::FocusReason reason) {
    if (QWidget* field = FirstField()) {
        field->setFocus(reason);
    } else {
        setFocus(reason);
    }
}
