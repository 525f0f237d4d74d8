// Renders the application icon's SVG to a square PNG of the given size. The build makes every installed
// PNG with it, so the SVG stays the only drawing of the icon.
// Usage: render-icon SVG PNG SIZE

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bool sizeIsNumber = false;
    const int size = args.size() == 4 ? args[3].toInt(&sizeIsNumber) : 0;
    if (!sizeIsNumber || size <= 0) {
        std::fprintf(stderr, "Usage: render-icon SVG PNG SIZE\n");
        return 2;
    }
    QSvgRenderer renderer(args[1]);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render-icon: %s is not a valid SVG file\n", qPrintable(args[1]));
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    if (!image.save(args[2], "PNG")) {
        std::fprintf(stderr, "render-icon: could not write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
