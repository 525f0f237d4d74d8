#include "ui/tree_pane/TreeLabelDelegate.h"

QSize TreeLabelDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    if (!(option.font == m_font)) {
        m_sizes.clear();
        m_font = option.font;
    }
    const QString label = index.data(Qt::DisplayRole).toString();
    const auto found = m_sizes.constFind(label);
    if (found != m_sizes.constEnd()) {
        return *found;
    }
    const QSize size = QStyledItemDelegate::sizeHint(option, index);
    m_sizes.insert(label, size);
    return size;
}
