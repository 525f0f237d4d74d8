#pragma once

#include <QDockWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "check/Finding.h"
#include "ui/app/QtText.h"

class QTreeWidget;
class QTreeWidgetItem;

// The findings of Check Dictionary, below the tree and the right pane: one row per finding with its
// severity icon, location and text, or "No problems found.". A double click (or Enter) on a finding
// asks for its node; Escape closes the panel.
class CCheckPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit CCheckPanel(const QtText& qtText, QWidget* parent = nullptr);

    void ShowFindings(const std::vector<Finding>& findings);
    QTreeWidget* List() const { return m_list; }

signals:
    // A finding was activated; the subindex is absent for an index as a whole.
    void FindingActivated(std::uint16_t index, std::optional<std::uint16_t> subindex);

private:
    void OnItemActivated(QTreeWidgetItem* item);

    QtText m_qtText;
    QTreeWidget* m_list;
};
