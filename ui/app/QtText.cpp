#include "ui/app/QtText.h"

#include <QFile>

#include "document/CQuillmarkDoc.h"

namespace {

// Asked at every conversion, so a project replaced by New, Open or Import is shown in its own
// encoding from its first text on, whichever view shows that text first.
const CQuillmarkDoc* g_document = nullptr;

TextEncoding CurrentEncoding() {
    return g_document != nullptr ? g_document->GetTextEncoding() : TextEncoding::Windows1252;
}

}  // namespace

void UseTextEncodingOf(const CQuillmarkDoc* document) {
    g_document = document;
}

QString ToQt(const std::string& text) {
    const std::u32string codePoints = TextToCodePoints(text, CurrentEncoding());
    return QString::fromUcs4(codePoints.data(), static_cast<qsizetype>(codePoints.size()));
}

std::string FromQt(const QString& text) {
    const QList<uint> codePoints = text.toUcs4();
    return CodePointsToText(std::u32string(codePoints.begin(), codePoints.end()), CurrentEncoding());
}

std::string FromQtKeeping(const QString& shown, const std::string& original) {
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
