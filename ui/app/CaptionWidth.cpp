#include "ui/app/CaptionWidth.h"

#include <QFontMetrics>
#include <QWidget>
#include <algorithm>

namespace {

// Window managers draw captions up to a fifth larger than the application's font.
constexpr double TitleFontScale = 1.2;
// The window icon, the minimize, maximize and close buttons and the margins between them.
constexpr int TitleBarDecorations = 160;

}  // namespace

void KeepCaptionWhole(QWidget& window) {
    QFont font = window.font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * TitleFontScale);
    const int needed = QFontMetrics(font).horizontalAdvance(window.windowTitle()) + TitleBarDecorations;
    window.setMinimumWidth(std::max(window.minimumWidth(), needed));
}
