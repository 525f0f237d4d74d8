#pragma once

#include <optional>
#include <string>
#include <vector>

#include "check/Finding.h"
#include "eds/EdsSections.h"
#include "model/ObjectDictionary.h"
#include "platform/TextEncoding.h"

class Platform;

enum class DocumentationFormat { Markdown, Html };

// The format a path asks for by its extension (.md or .markdown, .html or .htm; any case), or nothing.
std::optional<DocumentationFormat> DocumentationFormatFor(const std::string& path);

// What a document describes. The texts are in the project's encoding; the document is UTF-8.
// sourceName names the file the content came from (in the title and the check lines); findings are
// the checker's, in the order the check command prints them.
struct DocumentationSource {
    const FileInfoSection& fileInfo;
    const DeviceInfoSection& deviceInfo;
    const ObjectDictionary& dictionary;
    TextEncoding encoding = TextEncoding::Windows1252;
    std::string sourceName;
    const std::vector<Finding>& findings;
};

// The whole document: the device, the file, the comments, the dictionary by area, the PDO overview
// and the check summary with its findings in an appendix. The same source gives the same bytes.
std::string WriteDocumentation(const DocumentationSource& source, DocumentationFormat format);

// Writes the document to path through a temporary file, so a failure leaves an existing file as it
// was; a failure is reported through the platform's file-error report. True when the file is written.
bool SaveDocumentation(Platform& platform, const std::string& path, const DocumentationSource& source,
                       DocumentationFormat format);

// The box that reports a written document, in the editor and with quillmark-cli -v.
inline constexpr const char* DocumentationCaption = "Create documentation";
std::string DocumentationCreatedMessage(const std::string& path);
