#include "ui/right_pane/ReadOnlyField.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

#include "ui/app/FocusFrame.h"

namespace {

class CopyKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Accepting the override sends the key to the widget instead of to a shortcut.
        if (event->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            event->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void KeepCopyKey(QWidget* widget) {
    widget->installEventFilter(new CopyKeyFilter(widget));
}

ReadOnlyField::ReadOnlyField(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // A selectable label takes the focus only by click; the fields are Tab stops too.
    setFocusPolicy(Qt::StrongFocus);
    KeepCopyKey(this);
    ShowFocusFrame(this);
}

void ReadOnlyField::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(hasSelectedText() ? selectedText() : text());
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ReadOnlyField::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ShortcutFocusReason) {
        setSelection(0, static_cast<int>(text().size()));
    }
}
