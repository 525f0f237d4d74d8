#include "ui/app/QtText.h"

#include <QFile>
#include <algorithm>

#include "document/CQuillmarkDoc.h"

TextEncoding QtText::Encoding() const {
    return m_pDocument != nullptr ? m_pDocument->GetTextEncoding() : TextEncoding::Windows1252;
}

QString QtText::ToQt(const std::string& text) const {
    // Nearly every text of a device is ASCII, which both encodings read as Latin-1 does; the tree of a
    // large device converts tens of thousands of labels, and the way through code points cost ten
    // times as much.
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    const std::u32string codePoints = TextToCodePoints(text, Encoding());
    return QString::fromUcs4(codePoints.data(), static_cast<qsizetype>(codePoints.size()));
}

std::string QtText::FromQt(const QString& text) const {
    const QList<uint> codePoints = text.toUcs4();
    return CodePointsToText(std::u32string(codePoints.begin(), codePoints.end()), Encoding());
}

std::string QtText::FromQtKeeping(const QString& shown, const std::string& original) const {
    return shown == ToQt(original) ? original : FromQt(shown);
}

// The core takes paths in UTF-8 on Windows (and opens them with the wide API); elsewhere in the
// file system's own encoding.
QString PathToQt(const std::string& path) {
#ifdef _WIN32
    return QString::fromStdString(path);
#else
    return QFile::decodeName(QByteArray::fromStdString(path));
#endif
}

std::string PathFromQt(const QString& path) {
#ifdef _WIN32
    return path.toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}
