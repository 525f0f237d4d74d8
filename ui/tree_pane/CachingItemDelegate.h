#pragma once

#include <QFont>
#include <QHash>
#include <QSize>
#include <QString>
#include <QStyledItemDelegate>

// The tree's item delegate, remembering the size of every label it measured. The tree's column fits
// its widest label (ResizeToContents), and Qt measures up to a thousand rows, laying out each label's
// text anew, whenever a node is selected, expanded, shown, hidden or changed; with a large dictionary
// that was most of the time the editor took to open a file or to filter the tree. In this tree a
// node's size depends only on its label (every node has a 16 by 16 image and the tree's font), so a
// label measured once is answered from the cache until the font changes.
class CachingItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The sizes depend on the style too; the view calls this when it changes, and when the tree is
    // emptied, so the cache never outlives the labels it was made for.
    void Forget() { m_sizes.clear(); }

private:
    mutable QHash<QString, QSize> m_sizes;
    mutable QFont m_font;
};
