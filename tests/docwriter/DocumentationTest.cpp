#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "GoldenFile.h"
#include "HtmlStructure.h"
#include "ScriptedPlatform.h"
#include "check/DictionaryCheck.h"
#include "document/ContentEncoding.h"
#include "docwriter/DocumentationWriter.h"
#include "eds/CFileScan.h"
#include "model/NameTables.h"

namespace {

// A device read from an EDS file, checked, ready to be documented.
struct Device {
    ObjectDictionary dictionary;
    FileInfoSection fileInfo;
    DeviceInfoSection deviceInfo;
    std::vector<Finding> findings;
    TextEncoding encoding = TextEncoding::Windows1252;
    std::string name;

    bool Import(const std::filesystem::path& path) {
        ScriptedPlatform platform;
        platform.AllowUnexpectedMessages();
        name = path.filename().string();
        if (CFileScan(path.string(), dictionary, fileInfo, deviceInfo, platform, ImportMode::Lenient)
                .ReadFile() != EdsImportResult::Success) {
            return false;
        }
        findings = CheckDictionary(dictionary, deviceInfo);
        encoding = ContentTextEncoding(dictionary, fileInfo, deviceInfo);
        return true;
    }

    std::string Write(DocumentationFormat format) const {
        return WriteDocumentation({fileInfo, deviceInfo, dictionary, encoding, name, findings}, format);
    }
};

std::string Golden(const std::string& name) {
    return std::string(QM_TEST_DATA_DIR) + "/docwriter/" + name;
}

std::string Hex(std::uint16_t index) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(index));
    return text;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The bars of a table row that no backslash escapes: one more than the row has cells.
int CellBars(const std::string& line) {
    int bars = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        bars += line[i] == '|' && (i == 0 || line[i - 1] != '\\') ? 1 : 0;
    }
    return bars;
}

// The first row of a Markdown table with another number of cells than its header, or "".
std::string RaggedTableRow(const std::string& markdown) {
    std::istringstream lines(markdown);
    int header = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] != '|') {
            header = 0;
        } else if (header == 0) {
            header = CellBars(line);
        } else if (CellBars(line) != header) {
            return line;
        }
    }
    return "";
}

// One VAR object whose name, default and access are the given texts.
void AddVar(ObjectDictionary& dictionary, std::uint16_t number, const std::string& name,
            std::uint8_t dataType, const std::string& value) {
    auto index = std::make_unique<IndexEntry>();
    index->index = number;
    index->headerSubindex = HeaderSingle;
    index->entryCount = 1;
    index->category = "optional";
    auto entry = std::make_unique<SubindexEntry>();
    entry->index = number;
    entry->subindex = HeaderSingle;
    entry->name = name;
    entry->objectType = ObjectCode::Var;
    entry->dataType = dataType;
    entry->accessType = "rw";
    entry->defaultValue = value;
    index->subindices.push_back(std::move(entry));
    dictionary.InsertIndex(std::move(index));
}

}  // namespace

// A small device with every part a document has: texts that need escaping in both formats, UTF-8
// names, comments that look like markup, both PDO directions with a missing partner on each side, a
// dummy and an unknown mapping target, a COB-ID with bit 31 set, limits of signed and unsigned types.
TEST(Documentation, SmallDeviceGivesTheGoldenFiles) {
    Device device;
    ASSERT_TRUE(device.Import(std::string(QM_TEST_DATA_DIR) + "/docwriter/small_device.eds"));
    ASSERT_EQ(device.encoding, TextEncoding::Utf8);
    const std::string html = device.Write(DocumentationFormat::Html);
    ExpectGoldenFile(Golden("small_device.md"), device.Write(DocumentationFormat::Markdown));
    ExpectGoldenFile(Golden("small_device.html"), html);
    EXPECT_EQ(HtmlProblem(html), "");
}

TEST(Documentation, FormatFollowsTheExtension) {
    EXPECT_EQ(DocumentationFormatFor("out/device.md"), DocumentationFormat::Markdown);
    EXPECT_EQ(DocumentationFormatFor("DEVICE.MARKDOWN"), DocumentationFormat::Markdown);
    EXPECT_EQ(DocumentationFormatFor("C:\\docs\\device.HTML"), DocumentationFormat::Html);
    EXPECT_EQ(DocumentationFormatFor("device.htm"), DocumentationFormat::Html);
    EXPECT_EQ(DocumentationFormatFor("device.txt"), std::nullopt);
    EXPECT_EQ(DocumentationFormatFor("md"), std::nullopt);
    EXPECT_EQ(DocumentationFormatFor("docs.md/device"), std::nullopt);
}

// Texts a device file may hold, and what each format must make of them: no markup of their own,
// nothing that breaks a table row, line breaks and control characters gone.
TEST(Documentation, EveryTextIsEscaped) {
    struct Case {
        const char* name;
        const char* html;
        const char* markdown;
    };
    const Case cases[] = {
        {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;",
         "\\<script\\>alert(1)\\</script\\>"},
        {"a|b|c", "a|b|c", "a\\|b\\|c"},
        {"R&D \"quoted\" 'single'", "R&amp;D &quot;quoted&quot; &#39;single&#39;",
         "R\\&D \"quoted\" 'single'"},
        {"*bold* _it_ `code` [link](x) ~s~ $x$", "*bold* _it_ `code` [link](x) ~s~ $x$",
         "\\*bold\\* \\_it\\_ \\`code\\` \\[link\\](x) \\~s\\~ \\$x\\$"},
        {"two\r\nlines\tand\x01 bell", "two  lines and\xEF\xBF\xBD bell", "two  lines and\xEF\xBF\xBD bell"},
        {"back\\slash", "back\\slash", "back\\\\slash"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ObjectDictionary dictionary;
        AddVar(dictionary, 0x2000, c.name, DataTypeCode::Uint8, "1");
        const FileInfoSection fileInfo;
        const DeviceInfoSection deviceInfo;
        const std::vector<Finding> none;
        const DocumentationSource source{fileInfo, deviceInfo, dictionary, TextEncoding::Utf8, "d.eds", none};
        const std::string html = WriteDocumentation(source, DocumentationFormat::Html);
        const std::string markdown = WriteDocumentation(source, DocumentationFormat::Markdown);
        EXPECT_EQ(HtmlProblem(html), "");
        EXPECT_TRUE(Contains(html, std::string("<td>") + c.html + "</td>")) << html;
        EXPECT_TRUE(Contains(markdown, std::string("| ") + c.markdown + " |")) << markdown;
        // The index's row keeps its eleven cells: twelve bars that no backslash escapes.
        const std::size_t row = markdown.find("| 0x2000 |");
        ASSERT_NE(row, std::string::npos);
        const std::string line = markdown.substr(row, markdown.find('\n', row) - row);
        EXPECT_EQ(CellBars(line), 12) << line;
    }
}

// Windows-1252 names come out as UTF-8; a data type without a name shows its number; a text that
// starts like Markdown block syntax stays a plain line.
TEST(Documentation, EncodingTypeNumbersAndBlockStarts) {
    ObjectDictionary dictionary;
    AddVar(dictionary, 0x2000,
           "Gr\xF6\xDF"
           "e \x80",
           0x40, "");
    dictionary.CommentLines().push_back({"# not a heading", 1});
    dictionary.CommentLines().push_back({"12. not a list", 2});
    dictionary.CommentLines().push_back({"   ---", 3});
    const FileInfoSection fileInfo;
    DeviceInfoSection deviceInfo;
    deviceInfo.ProductName = "Ger\xE4t";
    const std::vector<Finding> findings{
        {"mandatory-objects", Severity::Warning, std::nullopt, std::nullopt, "0x1000 is missing"}};
    const DocumentationSource source{fileInfo, deviceInfo, dictionary, TextEncoding::Windows1252,
                                     "g.eds",  findings};
    const std::string html = WriteDocumentation(source, DocumentationFormat::Html);
    const std::string markdown = WriteDocumentation(source, DocumentationFormat::Markdown);
    for (const std::string& page : {html, markdown}) {
        EXPECT_TRUE(Contains(page,
                             "Gr\xC3\xB6\xC3\x9F"
                             "e \xE2\x82\xAC"));
        EXPECT_TRUE(Contains(page, "Ger\xC3\xA4t"));
        EXPECT_TRUE(Contains(page, "0x0040"));
        EXPECT_TRUE(Contains(page, "g.eds: warning: 0x1000 is missing [mandatory-objects]\n"));
        EXPECT_TRUE(Contains(page, "g.eds: 0 errors, 1 warning\n"));
    }
    EXPECT_TRUE(Contains(html, "<meta charset=\"utf-8\">"));
    EXPECT_TRUE(Contains(markdown, "\\# not a heading\\\n12\\. not a list\\\n\\---\n"));
    EXPECT_EQ(HtmlProblem(html), "");
}

// Every importable device of the corpus: both documents hold every index, the page is well formed
// and refers to nothing outside itself, every Markdown row has the cells of its table.
TEST(Documentation, EveryCorpusDeviceIsDocumentedWhole) {
    std::vector<std::filesystem::path> files;
    for (const auto& item : std::filesystem::directory_iterator(QM_CORPUS_DIR)) {
        const std::string extension = item.path().extension().string();
        if (extension == ".eds" || extension == ".dcf") {
            files.push_back(item.path());
        }
    }
    std::sort(files.begin(), files.end());
    ASSERT_GT(files.size(), 30u) << "the corpus is missing";
    int documented = 0;
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        Device device;
        if (!device.Import(file)) {
            continue;
        }
        ++documented;
        const std::string html = device.Write(DocumentationFormat::Html);
        const std::string markdown = device.Write(DocumentationFormat::Markdown);
        EXPECT_EQ(HtmlProblem(html), "");
        EXPECT_EQ(RaggedTableRow(markdown), "");
        for (std::uint16_t position = 0; position < device.dictionary.GetIndexCount(); ++position) {
            const std::string index = Hex(device.dictionary.GetIndexAt(position)->index);
            EXPECT_TRUE(Contains(html, "<td id=\"" + index + "\">")) << index;
            EXPECT_TRUE(Contains(markdown, "\n| " + index + " |")) << index;
        }
        EXPECT_EQ(device.Write(DocumentationFormat::Html), html);
    }
    EXPECT_GT(documented, 30);
}

// A failing disk leaves an existing document as it was and reports the failure.
TEST(Documentation, FailedWriteKeepsThePreviousFile) {
    const std::string path = (std::filesystem::temp_directory_path() / "qm_doc_failed_write.html").string();
    std::ofstream(path, std::ios::binary) << "previous";
    ObjectDictionary dictionary;
    AddVar(dictionary, 0x2000, "Value", DataTypeCode::Uint8, "1");
    const FileInfoSection fileInfo;
    const DeviceInfoSection deviceInfo;
    const std::vector<Finding> none;
    const DocumentationSource source{fileInfo, deviceInfo, dictionary, TextEncoding::Utf8, "d.eds", none};

    FaultyFileSystem disk;
    disk.FailWritesAfter(100);
    ScriptedPlatform platform;
    platform.SetFiles(&disk);
    EXPECT_FALSE(SaveDocumentation(platform, path, source, DocumentationFormat::Html));
    ASSERT_EQ(platform.FileErrors().size(), 1u);
    EXPECT_EQ(platform.FileErrors()[0].path, path);
    // Read and closed at once: Windows cannot replace a file that is still open.
    EXPECT_EQ(ReadFileBytes(path), "previous");

    platform.SetFiles(nullptr);
    EXPECT_TRUE(SaveDocumentation(platform, path, source, DocumentationFormat::Markdown));
    EXPECT_EQ(ReadFileBytes(path), WriteDocumentation(source, DocumentationFormat::Markdown));
    std::filesystem::remove(path);
}
