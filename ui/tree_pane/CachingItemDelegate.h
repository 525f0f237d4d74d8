#pragma once

#include <QHash>
#include <QStyledItemDelegate>

// The tree's item delegate, remembering the size of every label it measured. The tree's column fits
// its widest label, and the view measures a thousand rows for that after every change of what it
// shows; measuring a label means laying out its text, while the labels themselves rarely change.
class CachingItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The sizes depend on the font and the style; the view calls this when either changes.
    void Forget() { m_sizes.clear(); }

private:
    mutable QHash<QString, QSize> m_sizes;
};
