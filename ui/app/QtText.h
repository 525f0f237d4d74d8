#pragma once

#include <QString>
#include <string>

class CQuillmarkDoc;

// The one place where the logic's byte texts meet Qt's Unicode strings. They convert through the text
// encoding of the open project: the editor holds one project at a time, so one setting serves every
// tree label, form, dialog and message box. Fixed texts are ASCII and read the same either way.
// Without a project (or after UseTextEncodingOf(nullptr)) texts are Windows-1252.
void UseTextEncodingOf(const CQuillmarkDoc* document);
QString ToQt(const std::string& text);
std::string FromQt(const QString& text);
// What an edit box holds, as bytes: the original bytes while the box still shows them, so a text the
// user left alone is kept exactly, even where the encoding could not show every byte of it.
std::string FromQtKeeping(const QString& shown, const std::string& original);

// Paths go to the file system as they are, so they keep the local 8-bit form of the system rather
// than the project's encoding.
QString PathToQt(const std::string& path);
std::string PathFromQt(const QString& path);
