#include "generator/CSourceGenerator.h"

#include <string>

#include "model/ObjectDictionary.h"
#include "model/SubindexEntry.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace {

const std::string StarLine(61, '*');
const std::string RuleLine = "//" + std::string(59, '=') + "\r\n";

}  // namespace

CSourceGenerator::CSourceGenerator(ObjectDictionary& dictionary, Platform& platform)
    : m_pDictionary(&dictionary), m_pPlatform(&platform) {}

// Files still open at the end are released without a report; the caller closes them first to see
// the outcome.
CSourceGenerator::~CSourceGenerator() = default;

GenerationResult CSourceGenerator::GenerateFiles(const std::string& sourcePath) {
    GenerationResult result = Generate(sourcePath);
    const GenerationResult closed = CloseFiles();
    if (result == GenOk) {
        result = closed;
    }
    if (result == GenOk) {
        result = CommitFiles();
    }
    if (result != GenOk) {
        RemoveFiles();
    }
    return result;
}

// Failures are reported with the path the user knows, not with the temporary one.
std::unique_ptr<WritableFile> CSourceGenerator::CreateOutput(const std::string& path,
                                                             std::string& temporary) {
    std::string reason;
    auto file = m_pPlatform->Files().Create(TemporaryPathFor(path), reason);
    if (!file) {
        m_pPlatform->ReportFileError(FileOperation::Create, path, reason);
        return nullptr;
    }
    temporary = TemporaryPathFor(path);
    return file;
}

GenerationResult CSourceGenerator::Generate(const std::string& sourcePath) {
    m_strSourcePath = sourcePath;
    const std::string directory = DirectoryPart(sourcePath);

    m_fileSource = CreateOutput(m_strSourcePath, m_strSourceTemp);
    if (!m_fileSource) {
        return GenCreateFailed;
    }
    m_strDictPath = directory + "objdict.h";
    m_fileDict = CreateOutput(m_strDictPath, m_strDictTemp);
    if (!m_fileDict) {
        CloseFiles();
        return GenCreateFailed;
    }
    m_strConfigPath = directory + "obdcfg.h";
    m_fileConfig = CreateOutput(m_strConfigPath, m_strConfigTemp);
    if (!m_fileConfig) {
        CloseFiles();
        return GenCreateFailed;
    }

    WriteBanner(m_fileSource.get(), m_strSourcePath);
    if (m_bWriteError) {
        return GenWriteFailed;
    }
    WriteBanner(m_fileDict.get(), m_strDictPath);
    if (m_bWriteError) {
        return GenWriteFailed;
    }
    WriteBanner(m_fileConfig.get(), m_strConfigPath);
    if (m_bWriteError) {
        return GenWriteFailed;
    }

    WritableFile* dict = m_fileDict.get();
    WritableFile* config = m_fileConfig.get();
    WriteLine(dict, "\r\n#define OBD_DEFINE_MACRO\r\n");
    WriteLine(dict, "    #include \"obdmacro.h\"\r\n");
    WriteLine(dict, "#undef OBD_DEFINE_MACRO\r\n");
    WriteLine(dict, "\r\nOBD_BEGIN (%s)\r\n", m_strInstanceName);

    WriteLine(config, "\r\n#ifndef _OBDDEF_H_\r\n");
    WriteLine(config, "#define _OBDDEF_H_\r\n");
    WriteLine(config, "\r\n//PROTOTYPES OF USERSPECIFIC CALLBACK FUNCTIONS!\r\n");

    WriteLine(dict, "\r\n    OBD_BEGIN_PART_GENERIC (%s)\r\n", m_strInstanceName);
    GenerationResult result = EmitPart(0x1000, 0x1FFF);
    if (result != GenOk) {
        return result;
    }
    WriteLine(dict, "\r\n    OBD_END_PART ()\r\n");
    WriteLine(dict, "\r\n    OBD_BEGIN_PART_MANUFACTURER (%s)\r\n", m_strInstanceName);
    result = EmitPart(0x2000, 0x5FFF);
    if (result != GenOk) {
        return result;
    }
    WriteLine(dict, "\r\n    OBD_END_PART ()\r\n");
    WriteLine(dict, "\r\n    OBD_BEGIN_PART_DEVICE (%s)\r\n", m_strInstanceName);
    result = EmitPart(0x6000, 0x9FFF);
    if (result != GenOk) {
        return result;
    }
    WriteLine(dict, "\r\n    OBD_END_PART ()\r\n");
    WriteLine(dict, "\r\nOBD_END ()\r\n");
    WriteLine(dict, "\r\n#define OBD_UNDEFINE_MACRO\r\n");
    WriteLine(dict, "    #include \"obdmacro.h\"\r\n");
    WriteLine(dict, "#undef OBD_UNDEFINE_MACRO\r\n");

    result = WriteSourceTrailer();
    if (result != GenOk) {
        return result;
    }
    result = WriteConfiguration();
    return (result == GenOk && m_bAnyWriteFailed) ? GenWriteFailed : result;
}

GenerationResult CSourceGenerator::CloseFiles() {
    GenerationResult result = GenOk;
    const std::pair<std::unique_ptr<WritableFile>*, const std::string*> files[] = {
        {&m_fileConfig, &m_strConfigPath}, {&m_fileSource, &m_strSourcePath}, {&m_fileDict, &m_strDictPath}};
    for (const auto& [file, path] : files) {
        if (*file && !(*file)->Close()) {
            m_pPlatform->ReportFileError(FileOperation::Close, *path, (*file)->Error());
            result = GenCloseFailed;
        }
        file->reset();
    }
    return result;
}

// A target that cannot be replaced counts as one that cannot be created. Should a later rename fail,
// the files renamed before it are already in place; the rest keep their previous versions.
GenerationResult CSourceGenerator::CommitFiles() {
    const std::pair<std::string*, const std::string*> files[] = {{&m_strSourceTemp, &m_strSourcePath},
                                                                 {&m_strDictTemp, &m_strDictPath},
                                                                 {&m_strConfigTemp, &m_strConfigPath}};
    for (const auto& [temporary, path] : files) {
        if (temporary->empty()) {
            continue;
        }
        std::string reason;
        if (!m_pPlatform->Files().Rename(*temporary, *path, reason)) {
            m_pPlatform->ReportFileError(FileOperation::Create, *path, reason);
            return GenCreateFailed;
        }
        temporary->clear();
    }
    return GenOk;
}

void CSourceGenerator::RemoveFiles() {
    for (std::string* temporary : {&m_strConfigTemp, &m_strSourceTemp, &m_strDictTemp}) {
        if (temporary->empty()) {
            continue;
        }
        std::string reason;
        if (!m_pPlatform->Files().Remove(*temporary, reason)) {
            m_pPlatform->ReportFileError(FileOperation::Delete, *temporary, reason);
            return;
        }
        temporary->clear();
    }
}

GenerationResult CSourceGenerator::WriteText(WritableFile* file, const std::string& text) {
    if (file != nullptr && file->Write(text)) {
        m_bWriteError = false;
        return GenOk;
    }
    m_pPlatform->ReportFileError(FileOperation::Write, PathOf(file),
                                 file != nullptr ? file->Error() : std::string("file is not open"));
    m_bWriteError = true;
    m_bAnyWriteFailed = true;
    return GenWriteFailed;
}

const std::string& CSourceGenerator::PathOf(const WritableFile* file) const {
    if (file == m_fileSource.get()) {
        return m_strSourcePath;
    }
    if (file == m_fileDict.get()) {
        return m_strDictPath;
    }
    return m_strConfigPath;
}

void CSourceGenerator::WriteBanner(WritableFile* file, const std::string& path) {
    WriteLine(file, "/%s\r\n", StarLine);
    if (file == m_fileSource.get()) {
        WriteLine(file, "* object dictionary definition file\r\n");
        WriteLine(file, "%s\r\n", StarLine);
    }
    WriteLine(file, "* File: %s \r\n", path);
    WriteLine(file, "* was automatically generated by Quillmark\r\n");
    if (file == m_fileDict.get()) {
        WriteLine(file, "%s\r\n", StarLine);
        WriteLine(file, "* !THE FILE MUST NOT BE CHANGED!\r\n");
    }
    WriteLine(file, "%s\r\n", StarLine);
    const LocalTime now = m_pPlatform->GetLocalTime();
    WriteLine(file, "* Date: %02d.%02d.%02d\r\n", now.day, now.month, now.year);
    WriteLine(file, "* Time: %02d:%02d:%02d\r\n", now.hour, now.minute, now.second);
    WriteLine(file, "%s/ \r\n", StarLine);
}

GenerationResult CSourceGenerator::WriteSourceTrailer() {
    WritableFile* source = m_fileSource.get();
    WriteLine(source, "//\r\n");
    WriteText(source, RuleLine);
    WriteLine(source, "// function name for initialisation of RAM for OD instance \r\n");
    WriteLine(source, "//\r\n");
    WriteText(source, RuleLine);
    WriteLine(source, "\r\n#define OBD_INIT_RAM_NAME    ObdInitRam\r\n");
    WriteLine(source, "\r\n//\r\n");
    WriteText(source, RuleLine);
    WriteLine(source, "// includes\r\n");
    WriteLine(source, "//\r\n");
    WriteText(source, RuleLine);
    WriteLine(source, "\r\n#include \"copinc.h\" \r\n");
    WriteLine(source, "#include \"obdcfg.h\" \r\n");
    WriteLine(source, "#include \"objdef.h\" \r\n");
    return m_bWriteError ? GenWriteFailed : GenOk;
}

std::string CSourceGenerator::LeftOutNote() const {
    if (m_nLeftOut == 0) {
        return {};
    }
    const SubindexEntry& first = *m_pFirstLeftOut;
    const std::string where = first.IsHeader() ? FormatLine("0x%04X", {first.index})
                                               : FormatLine("0x%04Xsub%X", {first.index, first.subindex});
    if (m_nLeftOut == 1) {
        return "1 entry was left out, as its data type has no line in the generated sources: " + where + ".";
    }
    return FormatLine(
        "%u entries were left out, as their data type has no line in the generated sources; the "
        "first: %s.",
        {m_nLeftOut, where});
}
