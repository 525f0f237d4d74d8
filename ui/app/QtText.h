#pragma once

#include <QString>
#include <string>

#include "platform/TextEncoding.h"

class CQuillmarkDoc;

// Where the logic's byte texts meet Qt's Unicode strings. A converter made for a document converts
// through the document's text encoding as it stands at each conversion, so a project replaced by New,
// Open or Import is shown in its own encoding from its first text on. The frame hands the converter of
// its document to the panes, the dialogs and the platform; one made without a document converts
// Windows-1252. Fixed texts are ASCII and read the same either way.
class QtText {
public:
    QtText() = default;
    explicit QtText(const CQuillmarkDoc& document) : m_pDocument(&document) {}

    TextEncoding Encoding() const;
    QString ToQt(const std::string& text) const;
    std::string FromQt(const QString& text) const;
    // What an edit box holds, as bytes: the original bytes while the box still shows them, so a text
    // the user left alone is kept exactly, even where the encoding could not show every byte of it.
    std::string FromQtKeeping(const QString& shown, const std::string& original) const;

private:
    const CQuillmarkDoc* m_pDocument = nullptr;
};

// Paths go to the file system as they are, so they keep the local 8-bit form of the system rather
// than the project's encoding.
QString PathToQt(const std::string& path);
std::string PathFromQt(const QString& path);
