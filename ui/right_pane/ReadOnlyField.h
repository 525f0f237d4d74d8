#pragma once

#include <QLabel>

// A sunken read-only text field of the right pane's forms. It takes the focus by Tab and by click,
// shows a focus frame, selects its whole text when the keyboard brings the focus to it, and copies
// with Ctrl+C: the selection, or the whole text when nothing is selected.
class ReadOnlyField : public QLabel {
public:
    explicit ReadOnlyField(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

// Lets the focused widget have the Copy key itself. The window's own Copy command (copy an index)
// listens to the same key, and a field that shows a value must copy that value instead.
void KeepCopyKey(QWidget* widget);
