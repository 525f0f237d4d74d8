#include <QTreeWidget>

#include "check/DictionaryCheck.h"
#include "document/CQuillmarkDoc.h"
#include "ui/app/CCheckPanel.h"
#include "ui/app/CMainFrame.h"
#include "ui/tree_pane/CLeftPaneView.h"

namespace {

// The panel opens a few rows high; the user may drag it taller.
constexpr int CheckPanelHeight = 170;

}  // namespace

void CMainFrame::CreateCheckPanel() {
    m_checkPanel = new CCheckPanel(m_qtText, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_checkPanel);
    m_checkPanel->hide();
    connect(m_checkPanel, &CCheckPanel::FindingActivated, this,
            [this](std::uint16_t index, std::optional<std::uint16_t> subindex) {
                m_pLeftPane->SelectObjectNode(index, subindex);
            });
}

void CMainFrame::OnCheckDictionary() {
    const bool opening = m_checkPanel->isHidden();
    m_checkPanel->show();
    if (opening) {
        resizeDocks({m_checkPanel}, {CheckPanelHeight}, Qt::Vertical);
    }
    RerunCheckIfOpen();
    m_checkPanel->List()->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::RerunCheckIfOpen() {
    if (m_checkPanel == nullptr || m_checkPanel->isHidden()) {
        return;
    }
    m_checkPanel->ShowFindings(CheckDictionary(m_document.GetDictionary(), m_document.GetDeviceInfo(),
                                               m_document.GetImportReport()));
}

void CMainFrame::OnContentChanged() {
    RerunCheckIfOpen();
}
