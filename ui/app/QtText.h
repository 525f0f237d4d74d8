#pragma once

#include <QString>
#include <string>

// The one place where the logic's Windows-1252 texts meet Qt's Unicode strings.
QString ToQt(const std::string& cp1252);
std::string FromQt(const QString& text);

// Paths go to the file system as they are, so they keep the local 8-bit form of the system rather
// than Windows-1252.
QString PathToQt(const std::string& path);
std::string PathFromQt(const QString& path);
