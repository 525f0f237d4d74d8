#pragma once

#include <iosfwd>

#include "eds/EdsSections.h"
#include "model/ObjectDictionary.h"
#include "platform/TextEncoding.h"

// What `quillmark-cli show` prints: the four descriptive sections and the dictionary, as a table for
// people or as JSON for programs. Texts are converted from the project's encoding to UTF-8.
struct ProjectView {
    const FileInfoSection& fileInfo;
    const DeviceInfoSection& deviceInfo;
    const ObjectDictionary& dictionary;
    TextEncoding encoding = TextEncoding::Windows1252;
};

void PrintTable(std::ostream& out, const ProjectView& project);
void PrintJson(std::ostream& out, const ProjectView& project);
