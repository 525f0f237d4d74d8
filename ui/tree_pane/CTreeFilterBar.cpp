#include "ui/tree_pane/CTreeFilterBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>

CTreeFilterBar::CTreeFilterBar(QWidget* parent) : QWidget(parent), m_edit(new QLineEdit(this)) {
    setObjectName(QStringLiteral("filterBar"));
    m_edit->setObjectName(QStringLiteral("filterEdit"));
    m_edit->setPlaceholderText(QStringLiteral("Filter by number or name"));
    m_edit->setClearButtonEnabled(true);
    m_edit->installEventFilter(this);

    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("filterClose"));
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setToolTip(QStringLiteral("Close the filter (Esc)"));
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::NoFocus);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 2);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 1);
    layout->addWidget(close);

    connect(m_edit, &QLineEdit::textChanged, this, &CTreeFilterBar::TextChanged);
    connect(m_edit, &QLineEdit::returnPressed, this, &CTreeFilterBar::NextMatchRequested);
    connect(close, &QToolButton::clicked, this, &CTreeFilterBar::CloseRequested);
    hide();
}

void CTreeFilterBar::Open() {
    show();
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
}

void CTreeFilterBar::ClearQuietly() {
    const QSignalBlocker blocker(m_edit);
    m_edit->clear();
}

bool CTreeFilterBar::eventFilter(QObject* watched, QEvent* event) {
    // The field itself ignores Escape; here it closes the filter.
    if (watched == m_edit && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        emit CloseRequested();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
