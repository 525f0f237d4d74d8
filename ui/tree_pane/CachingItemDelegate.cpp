#include "ui/tree_pane/CachingItemDelegate.h"

QSize CachingItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    if (!(option.font == m_font)) {
        m_sizes.clear();
        m_font = option.font;
    }
    const QString label = index.data(Qt::DisplayRole).toString();
    const auto known = m_sizes.constFind(label);
    if (known != m_sizes.constEnd()) {
        return *known;
    }
    const QSize size = QStyledItemDelegate::sizeHint(option, index);
    m_sizes.insert(label, size);
    return size;
}
