#include "ui/app/QtText.h"

#include <QFile>

#include "platform/Cp1252.h"

QString ToQt(const std::string& cp1252) {
    const std::u32string codePoints = Cp1252ToCodePoints(cp1252);
    return QString::fromUcs4(codePoints.data(), static_cast<qsizetype>(codePoints.size()));
}

std::string FromQt(const QString& text) {
    const QList<uint> codePoints = text.toUcs4();
    return CodePointsToCp1252(std::u32string(codePoints.begin(), codePoints.end()));
}

QString PathToQt(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string PathFromQt(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
