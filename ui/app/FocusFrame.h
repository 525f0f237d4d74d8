#pragma once

class QWidget;

// A frame in the selection colour that the widget shows while it has the focus, drawn inside its own
// rectangle over its border, so that F6 and Tab always show where the keyboard is. The widget keeps
// FocusFrameWidth pixels free at its edges (its own frame or margins).
constexpr int FocusFrameWidth = 2;
void ShowFocusFrame(QWidget* widget);
