#include "cli/CliApp.h"

#include <memory>
#include <ostream>

#include "cli/CheckCommand.h"
#include "cli/DictionaryPrinter.h"
#include "cli/DocumentCommand.h"
#include "document/CQuillmarkDoc.h"
#include "docwriter/DocumentationWriter.h"
#include "platform/ConsolePlatform.h"
#include "platform/ResultCodes.h"
#include "platform/ResultMessage.h"

namespace {

constexpr const char* HelpText =
    "Usage: quillmark-cli [-v|--verbose] [--lenient] COMMAND ARGS\n"
    "\n"
    "Commands:\n"
    "  convert  IN OUT        IN: .eds/.dcf/.xdd/.xdc (imported) or .prj (opened);\n"
    "                         OUT: .eds (EDS export), .xdd (XDD export) or .prj (project save)\n"
    "  generate IN OUT.c      writes OUT.c, objdict.h and obdcfg.h in OUT.c's folder\n"
    "  show     IN [--json]   prints the sections and the dictionary\n"
    "  check    IN [--json] [--strict]\n"
    "                         checks the dictionary: one line per finding, then the count\n"
    "  document IN OUT        documents the dictionary: OUT .md (Markdown) or .html (a page)\n"
    "  --help                 shows this text\n"
    "  --version              shows the version\n"
    "\n"
    "Options:\n"
    "  -v, --verbose          also print the messages that report success\n"
    "  --json                 show, check: print one JSON object instead of text\n"
    "  --strict               check: count warnings as errors\n"
    "  --lenient              read an .eds/.dcf IN that lacks what the editor requires,\n"
    "                         filling in what is missing; each repair is reported\n"
    "\n"
    "Every message the editor would show in a box is printed on stderr as \"Caption: text\".\n"
    "Exit status: 0 success, 1 the operation failed, 2 usage error.\n"
    "check: 0 without errors, 1 with errors or when IN cannot be read.\n"
    "With SOURCE_DATE_EPOCH set, generated files carry that instant (UTC) instead of the local time.\n";

constexpr const char* VersionText = "Quillmark Version 1.09\n";

// A device description to import; the document reads it as EDS or XDD by its content.
bool IsEdsInput(const std::string& path) {
    const std::string ext = FileExtension(path);
    return ext == "eds" || ext == "dcf" || ext == "xdd" || ext == "xdc";
}
bool IsProject(const std::string& path) {
    return FileExtension(path) == "prj";
}

int UsageError(std::ostream& err, const std::string& problem) {
    err << "quillmark-cli: " << problem << "\nTry 'quillmark-cli --help' for more information.\n";
    return ExitStatus::Usage;
}

// Reads IN into the document the way the editor's Import EDS-File or Open does. Every command reads
// its input here, so --lenient reaches each of them.
bool Load(CQuillmarkDoc& doc, ConsolePlatform& platform, const std::string& in, bool verbose,
          ImportMode mode) {
    if (IsProject(in)) {
        return doc.OpenProjectFile(in) == ProjectFileResult::Done;
    }
    if (!doc.OnNewDocument()) {
        return false;
    }
    const EdsImportResult result = doc.ImportEds(in, mode);
    if (result != EdsImportResult::Success || verbose) {
        ShowResultMessage(platform, result, in);
    }
    if (!ImportResultIsShown(result)) {
        // The editor leaves some refusals without a message of their own; here each says why.
        platform.Print("quillmark-cli: " + in + " was not imported: " + ImportFailureReason(result) +
                       (mode == ImportMode::Standard ? " (--lenient may read it)" : ""));
    }
    return result == EdsImportResult::Success;
}

int Convert(CQuillmarkDoc& doc, ConsolePlatform& platform, const std::string& out, bool verbose) {
    if (FileExtension(out) == "eds" || FileExtension(out) == "xdd") {
        EdsExportResult result = EdsExportResult::Success;
        {
            WaitCursor wait(platform);
            result = FileExtension(out) == "eds" ? doc.ExportEds(out) : doc.ExportXdd(out);
        }
        if (result != EdsExportResult::Success || verbose) {
            ShowResultMessage(platform, result, out);
        }
        return result == EdsExportResult::Success ? ExitStatus::Success : ExitStatus::Failed;
    }
    if (doc.SaveProjectFile(out) != ProjectFileResult::Done) {
        platform.MessageBox(SaveProjectFailureText(out), "Save project", MsgButtons::Ok, MsgIcon::Error);
        return ExitStatus::Failed;
    }
    return ExitStatus::Success;
}

int Generate(CQuillmarkDoc& doc, ConsolePlatform& platform, const std::string& out, bool verbose) {
    const GenerationResult result = doc.GenerateSources(out);
    if (result != GenOk || verbose) {
        ShowResultMessage(platform, result, out, doc.LastGenerationNote());
    }
    return result == GenOk ? ExitStatus::Success : ExitStatus::Failed;
}

// The document of a run whose memory is left for the end of the process (see RunCliApp).
CQuillmarkDoc* g_keptUntilExit = nullptr;

// Runs a command that reads IN into the document: convert, generate or show.
int RunOnDocument(CQuillmarkDoc& doc, ConsolePlatform& platform, const std::vector<std::string>& words,
                  bool verbose, bool json, ImportMode mode, std::ostream& out) {
    const std::string& command = words[0];
    const std::string& in = words[1];
    if (!Load(doc, platform, in, verbose, mode)) {
        return ExitStatus::Failed;
    }
    if (command == "convert") {
        return Convert(doc, platform, words[2], verbose);
    }
    if (command == "generate") {
        return Generate(doc, platform, words[2], verbose);
    }
    const ProjectView view{doc.GetFileInfo(), doc.GetDeviceInfo(), doc.GetDictionary(),
                           doc.GetTextEncoding()};
    if (json) {
        PrintJson(out, view);
    } else {
        PrintTable(out, view);
    }
    return ExitStatus::Success;
}

}  // namespace

int RunCliApp(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              CliTeardown teardown) {
    bool verbose = false;
    bool json = false;
    bool strict = false;
    ImportMode mode = ImportMode::Standard;
    std::vector<std::string> words;
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            out << HelpText;
            return ExitStatus::Success;
        }
        if (arg == "--version") {
            out << VersionText;
            return ExitStatus::Success;
        }
        if (arg == "-v" || arg == "--verbose") {
            verbose = true;
        } else if (arg == "--lenient") {
            mode = ImportMode::Lenient;
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--strict") {
            strict = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError(err, "unknown option '" + arg + "'");
        } else {
            words.push_back(arg);
        }
    }
    if (words.empty()) {
        return UsageError(err, "no command given");
    }
    const std::string& command = words[0];
    const std::size_t wanted = command == "show" || command == "check" ? 2 : 3;
    if (command != "convert" && command != "generate" && command != "show" && command != "check" &&
        command != "document") {
        return UsageError(err, "unknown command '" + command + "'");
    }
    if (words.size() != wanted) {
        return UsageError(err, "'" + command + "' takes " + (wanted == 2 ? "one file" : "two files"));
    }
    if (json && command != "show" && command != "check") {
        return UsageError(err, "--json belongs to 'show' and 'check'");
    }
    if (strict && command != "check") {
        return UsageError(err, "--strict belongs to 'check'");
    }
    const std::string& in = words[1];
    if (!IsEdsInput(in) && !IsProject(in)) {
        return UsageError(err, "the input must be an .eds, .dcf, .xdd, .xdc or .prj file: '" + in + "'");
    }
    if (command == "convert" && FileExtension(words[2]) != "eds" && FileExtension(words[2]) != "xdd" &&
        !IsProject(words[2])) {
        return UsageError(err, "the output must be an .eds, .xdd or .prj file: '" + words[2] + "'");
    }
    if (command == "generate" && FileExtension(words[2]) != "c") {
        return UsageError(err, "the output must be a .c file: '" + words[2] + "'");
    }
    if (command == "document" && !DocumentationFormatFor(words[2])) {
        return UsageError(err, "the output must be an .md or .html file: '" + words[2] + "'");
    }

    if (command == "document") {
        return RunDocument(in, words[2], mode, verbose, err);
    }
    if (command == "check") {
        return RunCheck(in, IsProject(in), CheckOptions{json, strict, mode}, out, err);
    }

    ConsolePlatform platform(err);
    auto doc = std::make_unique<CQuillmarkDoc>(platform);
    const int status = RunOnDocument(*doc, platform, words, verbose, json, mode, out);
    if (teardown == CliTeardown::LeaveToProcessEnd) {
        // Freeing a large dictionary entry by entry takes a few percent of a run; the process ends
        // right after and hands all of its memory back at once. The pointer stays in a static, so the
        // memory is still reachable and leak checkers do not count it.
        g_keptUntilExit = doc.release();
    }
    return status;
}

bool LoadInput(CQuillmarkDoc& doc, ConsolePlatform& platform, const std::string& in, bool verbose,
               ImportMode mode) {
    return Load(doc, platform, in, verbose, mode);
}
