#include "ui/app/FocusFrame.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace {

class FocusFrameFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = static_cast<QWidget*>(watched);
        switch (event->type()) {
            case QEvent::FocusIn:
            case QEvent::FocusOut:
                widget->update();
                break;
            case QEvent::Paint:
                if (widget->hasFocus()) {
                    // The widget paints itself first; the frame goes on top of its border.
                    watched->event(event);
                    Paint(*widget);
                    return true;
                }
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void Paint(QWidget& widget) {
        QPainter painter(&widget);
        painter.setPen(QPen(widget.palette().color(QPalette::Highlight), FocusFrameWidth));
        painter.setBrush(Qt::NoBrush);
        const int inset = FocusFrameWidth / 2;
        painter.drawRect(widget.rect().adjusted(inset, inset, -inset, -inset));
    }
};

}  // namespace

void ShowFocusFrame(QWidget* widget) {
    widget->installEventFilter(new FocusFrameFilter(widget));
}
