#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "docwriter/DocumentationSink.h"
#include "docwriter/DocumentationWriter.h"

// The parts of a document, each written to the sink by a function of its own. They share the source
// and the conversion of its texts to UTF-8.
class DocumentationParts {
public:
    DocumentationParts(const DocumentationSource& source, DocumentationSink& sink)
        : m_source(source), m_sink(sink) {}

    const DocumentationSource& Source() const { return m_source; }
    DocumentationSink& Sink() const { return m_sink; }
    // A text of the project, converted from its encoding and cleaned for the output.
    std::string Text(const std::string& raw) const;

private:
    const DocumentationSource& m_source;
    DocumentationSink& m_sink;
};

// The parts of the dictionary by index: communication 0x1000-0x1FFF, manufacturer 0x2000-0x5FFF,
// device profile 0x6000-0x9FFF, and every other index.
struct DictionaryArea {
    const char* id;
    const char* title;
    const char* range;
};
constexpr int DictionaryAreaCount = 4;
extern const DictionaryArea DictionaryAreas[DictionaryAreaCount];
int AreaOf(std::uint16_t index);

// The data type's name, or its number ("0x0010") where the program has no name for it.
std::string TypeName(std::uint8_t dataType);

// "0x1018": the anchor and the text of an index. "0x%0*X" in general.
std::string HexText(std::uint32_t value, int digits);

void WriteDeviceSection(const DocumentationParts& parts);
void WriteFileSection(const DocumentationParts& parts);
void WriteCommentsSection(const DocumentationParts& parts);
// One table of the area's indices, each followed by its subindices.
void WriteAreaTable(const DocumentationParts& parts, int area);
// Whether the dictionary holds any PDO parameter index.
bool HasPdos(const ObjectDictionary& dictionary);
void WritePdoOverview(const DocumentationParts& parts);
