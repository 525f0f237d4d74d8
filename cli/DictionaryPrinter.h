#pragma once

#include <iosfwd>

#include "eds/EdsSections.h"
#include "model/ObjectDictionary.h"

// What `quillmark-cli show` prints: the four descriptive sections and the dictionary, as a table for
// people or as JSON for programs. Texts are converted from Windows-1252 to UTF-8.
struct ProjectView {
    const FileInfoSection& fileInfo;
    const DeviceInfoSection& deviceInfo;
    const ObjectDictionary& dictionary;
};

void PrintTable(std::ostream& out, const ProjectView& project);
void PrintJson(std::ostream& out, const ProjectView& project);
