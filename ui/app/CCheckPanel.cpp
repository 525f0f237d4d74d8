#include "ui/app/CCheckPanel.h"

#include <QApplication>
#include <QHeaderView>
#include <QShortcut>
#include <QStyle>
#include <QTreeWidget>

#include "ui/app/FocusFrame.h"
#include "ui/app/QtText.h"

namespace {

enum Column { SeverityColumn = 0, LocationColumn = 1, LineColumn = 2, TextColumn = 3 };
constexpr int ColumnCount = 4;

// Where a row leads: the index, and the subindex or -1. Rows without a location have neither.
constexpr int IndexRole = Qt::UserRole + 1;
constexpr int SubindexRole = Qt::UserRole + 2;

}  // namespace

CCheckPanel::CCheckPanel(const QtText& qtText, QWidget* parent)
    : QDockWidget(QStringLiteral("Check Dictionary"), parent), m_qtText(qtText) {
    setObjectName(QStringLiteral("checkPanel"));
    // It belongs below the panes; it may be closed, but not moved or floated.
    setFeatures(QDockWidget::DockWidgetClosable);
    setAllowedAreas(Qt::BottomDockWidgetArea);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("checkFindings"));
    m_list->setColumnCount(ColumnCount);
    m_list->setHeaderLabels({QStringLiteral("Severity"), QStringLiteral("Location"), QStringLiteral("Line"),
                             QStringLiteral("Finding")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setIconSize(QSize(16, 16));
    m_list->header()->setStretchLastSection(true);
    m_list->header()->setSectionResizeMode(SeverityColumn, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(LocationColumn, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(LineColumn, QHeaderView::ResizeToContents);
    // The same focus frame as the tree's, so F6 shows when the findings have the keyboard.
    m_list->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_list->setLineWidth(FocusFrameWidth);
    ShowFocusFrame(m_list);
    setWidget(m_list);

    connect(m_list, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { OnItemActivated(item); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &QDockWidget::close);
}

// The line is that of the file last imported, where the finding stands in it.
void CCheckPanel::ShowFindings(const std::vector<Finding>& findings) {
    m_list->clear();
    const FindingCounts counts = CountFindings(findings);
    setWindowTitle(QStringLiteral("Check Dictionary: %1 %2, %3 %4")
                       .arg(counts.errors)
                       .arg(counts.errors == 1 ? QStringLiteral("error") : QStringLiteral("errors"))
                       .arg(counts.warnings)
                       .arg(counts.warnings == 1 ? QStringLiteral("warning") : QStringLiteral("warnings")));
    if (findings.empty()) {
        auto* row = new QTreeWidgetItem(m_list, {QStringLiteral("No problems found.")});
        row->setFirstColumnSpanned(true);
        row->setFlags(Qt::ItemIsEnabled);
        return;
    }
    QStyle* style = QApplication::style();
    const QIcon error = style->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = style->standardIcon(QStyle::SP_MessageBoxWarning);
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(findings.size()));
    for (const Finding& finding : findings) {
        auto* row = new QTreeWidgetItem(
            {finding.severity == Severity::Error ? QStringLiteral("Error") : QStringLiteral("Warning"),
             m_qtText.ToQt(LocationText(finding)),
             finding.line != 0 ? QString::number(finding.line) : QString(),
             m_qtText.ToQt(finding.text + " [" + finding.rule + "]")});
        row->setIcon(SeverityColumn, finding.severity == Severity::Error ? error : warning);
        row->setToolTip(TextColumn, row->text(TextColumn));
        row->setData(SeverityColumn, IndexRole, finding.index ? int{*finding.index} : -1);
        row->setData(SeverityColumn, SubindexRole, finding.subindex ? int{*finding.subindex} : -1);
        rows.push_back(row);
    }
    m_list->addTopLevelItems(rows);
    m_list->setCurrentItem(rows.front());
}

void CCheckPanel::OnItemActivated(QTreeWidgetItem* item) {
    const int index = item == nullptr ? -1 : item->data(SeverityColumn, IndexRole).toInt();
    if (index < 0) {
        return;
    }
    const int subindex = item->data(SeverityColumn, SubindexRole).toInt();
    emit FindingActivated(static_cast<std::uint16_t>(index),
                          subindex < 0 ? std::nullopt : std::optional<std::uint16_t>(subindex));
}
