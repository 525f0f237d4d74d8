#include "ui/app/CaptionWidth.h"

#include <QFontMetrics>
#include <QLayout>
#include <QSpacerItem>
#include <QWidget>

namespace {

// Window managers draw captions up to a fifth larger than the application's font.
constexpr double TitleFontScale = 1.2;
// The window icon, the minimize, maximize and close buttons and the margins between them.
constexpr int TitleBarDecorations = 160;

}  // namespace

void KeepCaptionWhole(QWidget& window) {
    QFont font = window.font();
    font.setBold(true);
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * TitleFontScale);
    } else {
        font.setPixelSize(static_cast<int>(font.pixelSize() * TitleFontScale));
    }
    const int needed = QFontMetrics(font).horizontalAdvance(window.windowTitle()) + TitleBarDecorations;
    // A minimum size set on the window itself would replace the layout's minimum; an item in the layout
    // adds to it.
    if (QLayout* layout = window.layout()) {
        layout->addItem(new QSpacerItem(needed, 0, QSizePolicy::Fixed, QSizePolicy::Fixed));
    }
}
