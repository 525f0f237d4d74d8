#include "ui/app/IconFactory.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QSvgRenderer>
#include <functional>

namespace {

const QColor Ink(40, 40, 40);
const QColor Paper(255, 255, 255);
const QColor Accent(30, 110, 200);
const QColor Plus(20, 140, 40);
const QColor FolderEdge(150, 110, 30);
const QColor FolderBack(225, 180, 70);
const QColor FolderFront(250, 210, 100);

QIcon Drawn(const std::function<void(QPainter&)>& draw, int size = 16) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

void Page(QPainter& p, int x, int y, int w, int h) {
    p.setPen(Ink);
    p.setBrush(Paper);
    p.drawRect(x, y, w, h);
}

void Lines(QPainter& p, int x, int y, int w, int count) {
    p.setPen(QColor(150, 150, 150));
    for (int i = 0; i < count; ++i) {
        p.drawLine(x, y + 3 * i, x + w, y + 3 * i);
    }
}

void PlusSign(QPainter& p, int cx, int cy) {
    p.setPen(QPen(Plus, 2));
    p.drawLine(cx - 3, cy, cx + 3, cy);
    p.drawLine(cx, cy - 3, cx, cy + 3);
}

void Letter(QPainter& p, const QString& text, const QRect& area) {
    QFont font = QApplication::font();
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Accent);
    p.drawText(area, Qt::AlignCenter, text);
}

QIcon Standard(QStyle::StandardPixmap pixmap) {
    return QApplication::style()->standardIcon(pixmap);
}

}  // namespace

namespace Icons {

QIcon ClosedFolder() {
    return Drawn([](QPainter& p) {
        p.setPen(FolderEdge);
        p.setBrush(FolderBack);
        p.drawRect(1, 3, 6, 2);
        p.setBrush(FolderFront);
        p.drawRect(1, 4, 14, 10);
    });
}

QIcon OpenFolder() {
    return Drawn([](QPainter& p) {
        p.setPen(FolderEdge);
        p.setBrush(FolderBack);
        p.drawRect(1, 3, 6, 2);
        p.drawRect(1, 4, 13, 10);
        // The front flap tilts open.
        p.setBrush(FolderFront);
        const QPoint flap[] = {QPoint(1, 14), QPoint(4, 7), QPoint(15, 7), QPoint(12, 14)};
        p.drawPolygon(flap, 4);
    });
}

QIcon SingleEntry() {
    return Drawn([](QPainter& p) {
        Page(p, 3, 1, 10, 13);
        p.setPen(Accent);
        p.drawPoint(5, 4);
        p.drawPoint(5, 7);
        p.drawPoint(5, 10);
        Lines(p, 7, 4, 4, 3);
    });
}

QIcon Open() {
    return Standard(QStyle::SP_DialogOpenButton);
}
QIcon Save() {
    return Standard(QStyle::SP_DialogSaveButton);
}

QIcon NewDocument() {
    return Drawn([](QPainter& p) {
        Page(p, 3, 1, 10, 13);
        Lines(p, 5, 4, 6, 3);
    });
}

QIcon Copy() {
    return Drawn([](QPainter& p) {
        Page(p, 1, 1, 8, 10);
        Page(p, 6, 4, 8, 10);
        Lines(p, 8, 7, 4, 2);
    });
}

QIcon Paste() {
    return Drawn([](QPainter& p) {
        p.setPen(Ink);
        p.setBrush(QColor(190, 150, 90));
        p.drawRect(2, 2, 10, 12);
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(5, 1, 4, 3);
        Page(p, 7, 6, 7, 8);
    });
}

// A curved arrow pointing left (undo) or, mirrored, right (redo).
QIcon HistoryArrow(bool undo) {
    return Drawn([undo](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, true);
        if (!undo) {
            p.translate(16, 0);
            p.scale(-1, 1);
        }
        QPainterPath bow;
        bow.moveTo(4.5, 7.5);
        bow.cubicTo(8, 3.5, 15, 4.5, 13.5, 12.5);
        p.setPen(QPen(Accent, 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(bow);
        const QPointF head[] = {QPointF(1.5, 5), QPointF(7.5, 4), QPointF(5, 10.5)};
        p.setPen(Qt::NoPen);
        p.setBrush(Accent);
        p.drawPolygon(head, 3);
    });
}

QIcon Undo() {
    return HistoryArrow(true);
}

QIcon Redo() {
    return HistoryArrow(false);
}

QIcon NewIndex() {
    return Drawn([](QPainter& p) {
        p.setPen(Ink);
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(1, 4, 10, 8);
        p.drawRect(1, 3, 4, 1);
        PlusSign(p, 12, 12);
    });
}

QIcon NewSubindex() {
    return Drawn([](QPainter& p) {
        Page(p, 1, 1, 9, 11);
        Lines(p, 3, 4, 5, 2);
        PlusSign(p, 12, 12);
    });
}

QIcon CreateEds() {
    return Drawn([](QPainter& p) {
        Page(p, 2, 1, 11, 13);
        Letter(p, QStringLiteral("E"), QRect(2, 1, 12, 14));
    });
}

QIcon CreateSources() {
    return Drawn([](QPainter& p) {
        Page(p, 2, 1, 11, 13);
        Letter(p, QStringLiteral("C"), QRect(2, 1, 12, 14));
    });
}

QIcon Application() {
    QSvgRenderer drawing(QStringLiteral(":/icons/quillmark.svg"));
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        drawing.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace Icons
