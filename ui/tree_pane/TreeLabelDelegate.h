#pragma once

#include <QFont>
#include <QHash>
#include <QSize>
#include <QString>
#include <QStyledItemDelegate>

// The tree's item delegate, which remembers the size of every label it has measured. The tree's column
// is as wide as its widest label (ResizeToContents), and Qt measures up to a thousand rows, laying out
// each label's text anew, whenever a node is selected, expanded or changed; with a large dictionary
// that was most of the time the editor took to open a file. In this tree a node's size depends only
// on its label (every node has a 16 by 16 image and the tree's font), so a label measured once is
// answered from the cache until the font changes.
class TreeLabelDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    mutable QHash<QString, QSize> m_sizes;
    mutable QFont m_font;
};
