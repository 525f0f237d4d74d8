#include "ui/right_pane/CCommentsWnd.h"

#include <QGroupBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "document/CQuillmarkDoc.h"
#include "ui/app/FocusFrame.h"
#include "ui/app/QtText.h"
#include "ui/right_pane/ReadOnlyField.h"

CCommentsWnd::CCommentsWnd(CQuillmarkDoc& document, QWidget* parent)
    : QWidget(parent), m_document(document), m_qtText(document) {
    setObjectName(QStringLiteral("commentsForm"));
    auto* page = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Comments"));
    page->addWidget(group);
    auto* layout = new QVBoxLayout(group);
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("listComments"));
    m_list->setProperty("controlId", 1142);
    m_list->setSortingEnabled(false);
    // A line can be selected and copied; the list stays read-only.
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    KeepCopyKey(m_list);
    m_list->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_list->setLineWidth(FocusFrameWidth);
    ShowFocusFrame(m_list);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(m_list);
    m_document.AddView(this);
}

CCommentsWnd::~CCommentsWnd() {
    m_document.RemoveView(this);
}

void CCommentsWnd::OnUpdate(std::uint32_t hint, const HintObject& object) {
    // A new project leaves the list as it is; only the next show request replaces it.
    if (Hint::Low(hint) != Hint::Low(Hint::ShowComments) || object.comments == nullptr) {
        return;
    }
    m_list->clear();
    for (const CommentLine& line : *object.comments) {
        m_list->addItem(m_qtText.ToQt(line.text));
    }
}
