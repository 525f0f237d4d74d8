#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <regex>
#include <sstream>

#include "CliRunner.h"
#include "ScriptedPlatform.h"
#include "cli/WindowsConsole.h"

namespace {

const std::string Example = std::string(QM_EXAMPLES_DIR) + "/io_device.eds";

// The example's third TPDO has no mapping index; the generator adds one and says so.
const std::string PdoNotice =
    "Quillmark: To the index 0x1802 of the PDO communication parameter\n"
    "is no index 0x1A02 of the PDO mapping parameter available!\n"
    "The index 0x1A02 will be created with default parameter\n"
    "and applayed in the object dictionary file!\n\n";

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(Cli, HelpVersionAndUsageErrors) {
    CliResult r = RunCli({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "Quillmark Version 1.09\n");
    r = RunCli({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(Contains(r.out, "generate IN OUT.c"));

    const std::vector<std::vector<std::string>> misuses = {
        {},
        {"frobnicate", "a.eds"},
        {"convert", Example},
        {"convert", Example, "out.txt"},
        {"convert", Example, "out.dcf"},
        {"generate", Example, "out.h"},
        {"show", "notes.txt"},
        {"show", Example, "--frob"},
        {"generate", Example, "out.c", "--json"},
        {"check", Example, "out.eds"},
        {"show", Example, "--strict"},
        {"check", "notes.txt"},
        {"document", Example},
        {"document", Example, "out.txt"},
        {"document", Example, "out.md", "--json"},
    };
    for (const auto& args : misuses) {
        std::string call;
        for (const std::string& arg : args) {
            call += arg + " ";
        }
        SCOPED_TRACE(args.empty() ? "(no arguments)" : call);
        r = RunCli(args);
        EXPECT_EQ(r.exitCode, 2) << (args.empty() ? "(no arguments)" : args[0]);
        EXPECT_TRUE(Contains(r.err, "Try 'quillmark-cli --help' for more information.")) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST(Cli, GeneratesSourcesReproducibly) {
    TempDir dir;
    const std::string source = dir.File("node.c");
    CliResult r = RunCli({"generate", Example, source}, {"SOURCE_DATE_EPOCH=1700000000"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, PdoNotice) << "success messages only with --verbose";
    const std::string header = ReadFileBytes(dir.File("objdict.h"));
    const std::string config = ReadFileBytes(dir.File("obdcfg.h"));
    EXPECT_FALSE(header.empty());
    EXPECT_FALSE(config.empty());
    EXPECT_FALSE(ReadFileBytes(source).empty());
    EXPECT_TRUE(Contains(header, "2023")) << "the banner carries SOURCE_DATE_EPOCH";

    r = RunCli({"-v", "generate", Example, source}, {"SOURCE_DATE_EPOCH=1700000000"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "Read EDS file: The file " + Example + " was successfully readed!\n" + PdoNotice +
                         "Create file: The files " + source + "\n              " + dir.Path() +
                         "/objdict.h\n" + "              " + dir.Path() +
                         "/obdcfg.h\nare successfully created!\n");
    EXPECT_EQ(ReadFileBytes(dir.File("objdict.h")), header);
    EXPECT_EQ(ReadFileBytes(dir.File("obdcfg.h")), config);
}

TEST(Cli, ConvertsBetweenEdsAndProject) {
    TempDir dir;
    const std::string upper = dir.File("DEVICE.EDS");
    std::filesystem::copy_file(Example, upper);
    CliResult r = RunCli({"convert", upper, dir.File("device.PRJ")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    r = RunCli({"--verbose", "convert", dir.File("device.PRJ"), dir.File("again.eds")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "Create EDS file: The file " + dir.File("again.eds") + " was successfully created!\n");
    r = RunCli({"convert", upper, dir.File("direct.eds")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string exported = ReadFileBytes(dir.File("again.eds"));
    EXPECT_TRUE(Contains(exported, "[FileInfo]\r\n"));

    // The dictionary survives the detour through the project file.
    const CliResult fromEds = RunCli({"show", dir.File("direct.eds"), "--json"});
    const CliResult fromExport = RunCli({"show", dir.File("again.eds"), "--json"});
    ASSERT_EQ(fromEds.exitCode, 0);
    ASSERT_EQ(fromExport.exitCode, 0);
    const auto indices = [](const std::string& json) { return json.substr(json.find("\"indices\"")); };
    EXPECT_EQ(indices(fromEds.out), indices(fromExport.out));
}

// XDD in and out: convert, show, check and generate take it; a broken one fails with its line.
TEST(Cli, ReadsAndWritesXdd) {
    TempDir dir;
    const std::string xdd = dir.File("device.xdd");
    CliResult r = RunCli({"convert", Example, xdd});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(0u, ReadFileBytes(xdd).find("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"));
    r = RunCli({"convert", xdd, dir.File("back.eds")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto indices = [](const std::string& json) { return json.substr(json.find("\"indices\"")); };
    const CliResult fromEds = RunCli({"show", Example, "--json"});
    const CliResult fromXdd = RunCli({"show", xdd, "--json"});
    ASSERT_EQ(fromXdd.exitCode, 0) << fromXdd.err;
    EXPECT_EQ(indices(fromEds.out), indices(fromXdd.out));
    EXPECT_EQ(
        RunCli({"check", xdd}).out,
        xdd +
            ": warning: 0x1802: the transmit PDO has no mapping index 0x1A02; the generator adds one that "
            "maps nothing [pdo-pairing]\n" +
            xdd + ": 0 errors, 1 warning\n");
    r = RunCli({"generate", xdd, dir.File("node.c")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, PdoNotice);

    WriteFileBytes(dir.File("broken.xdc"), "<?xml version=\"1.0\"?>\n<ISO15745ProfileContainer>\n<a></b>");
    r = RunCli({"show", dir.File("broken.xdc")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Read XDD file: The file " + dir.File("broken.xdc") +
                         " is not well-formed XML!\nLine 3, column 6: Start-end tags mismatch.\n");
    r = RunCli({"check", dir.File("broken.xdc")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.out, "error: The file")) << r.out;
}

TEST(Cli, ShowPrintsSectionsAndTable) {
    CliResult r = RunCli({"show", Example});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "[FileInfo]\n"));
    EXPECT_TRUE(Contains(r.out, "[DeviceInfo]\n"));
    EXPECT_TRUE(Contains(r.out, "[DummyUsage]\n"));
    EXPECT_TRUE(Contains(r.out, "[Comments]\n"));
    EXPECT_TRUE(Contains(r.out, "Index  Sub  Name"));
    EXPECT_TRUE(Contains(r.out, "\n1000   --   "));

    r = RunCli({"show", Example, "--json"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("{\n  \"format\": \"quillmark-show/1\",", 0), 0u);
    EXPECT_TRUE(Contains(r.out, "\"index\": 4096,"));
    EXPECT_TRUE(Contains(r.out, "\"dummyUsage\": {"));
    EXPECT_EQ(r.out.back(), '\n');
}

// UTF-8 files show as their authors wrote them (the axotec file holds U+FFFD itself); an 8-bit file
// shows as Windows-1252.
TEST(Cli, ShowPrintsTextsInTheEncodingOfTheFile) {
    const std::vector<std::vector<std::string>> rows = {
        {"CANopenDemo__demoDevice.eds", "", "like '\xE2\x82\xAC'"},
        {"CANopenDemo__demoDevice.eds", "--json", "like '\xE2\x82\xAC'"},
        {"axotec__JN2100_V2.5.4.eds", "",
         "Temperature MEMS [1/10 \xEF\xBF\xBD"
         "C]"},
        {"axotec__JN2100_V2.5.4.eds", "--json", "\"Angular Range: 0-360\xEF\xBF\xBD"},
        {"kacanopen__605.3150.51-V-EK-2-60.eds", "", "Line3=71101 Sch\xE2\x80\x9Dnaich"},
        {"kacanopen__605.3150.51-V-EK-2-60.eds", "--json", "\"71101 Sch\xE2\x80\x9Dnaich\""},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args = {"show", std::string(QM_CORPUS_DIR) + "/" + row[0]};
        if (!row[1].empty()) {
            args.push_back(row[1]);
        }
        const CliResult r = RunCli(args);
        ASSERT_EQ(r.exitCode, 0) << row[0] << r.err;
        EXPECT_TRUE(Contains(r.out, row[2])) << row[0] << ' ' << row[1] << ": " << row[2];
    }
}

TEST(Cli, ReportsFailuresWithExitStatusOne) {
    TempDir dir;
    // A file the importer refuses.
    WriteFileBytes(dir.File("bad.eds"), "this is not an electronic data sheet\r\n");
    CliResult r = RunCli({"show", dir.File("bad.eds")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.err, "Read EDS file: ")) << r.err;
    EXPECT_EQ(r.out, "");

    // Missing input files.
    r = RunCli({"generate", dir.File("missing.eds"), dir.File("x.c")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Read EDS file: The file " + dir.File("missing.eds") + " could not be opened!\n");
    r = RunCli({"convert", dir.File("missing.prj"), dir.File("x.eds")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.eds")));

    // Output folders that do not exist.
    const std::string nowhere = dir.File("no/such/folder");
    r = RunCli({"generate", Example, nowhere + "/objdict.c"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(
        Contains(r.err, "Create file: An error ocurred while creating the file " + nowhere + "/objdict.c!"))
        << r.err;
    r = RunCli({"convert", Example, nowhere + "/out.eds"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.err, "Create EDS file: An error ocurred while")) << r.err;
    r = RunCli({"convert", Example, nowhere + "/out.prj"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(
        Contains(r.err, "Save project: An error ocurred while saving the project " + nowhere + "/out.prj!"))
        << r.err;
}

TEST(Cli, CheckPrintsOneLinePerFindingAndCounts) {
    TempDir dir;
    const std::string pairing =
        "warning: 0x1802: the transmit PDO has no mapping index 0x1A02; the generator adds one that maps "
        "nothing "
        "[pdo-pairing]\n";
    CliResult r = RunCli({"check", Example});
    EXPECT_EQ(r.exitCode, 0) << "warnings only";
    // An EDS finding names the line of its section, as compilers do, so that editors can jump there.
    EXPECT_EQ(r.out, Example + ":493: " + pairing + Example + ": 0 errors, 1 warning\n");
    EXPECT_EQ(r.err, "");
    r = RunCli({"check", "--strict", Example});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.out, ": error: 0x1802: ")) << r.out;
    EXPECT_TRUE(Contains(r.out, ": 1 error, 0 warnings\n")) << r.out;

    // The first transmit PDO maps its 8-bit input with 16 bits, in the EDS and in the project made of it.
    std::string eds = ReadFileBytes(Example);
    eds.replace(eds.find("DefaultValue=0x60000108"), 23, "DefaultValue=0x60000110");
    WriteFileBytes(dir.File("faulty.eds"), eds);
    ASSERT_EQ(RunCli({"convert", dir.File("faulty.eds"), dir.File("faulty.prj")}).exitCode, 0);
    for (const std::string& in : {dir.File("faulty.eds"), dir.File("faulty.prj")}) {
        const bool fromEds = in.back() == 's';
        r = RunCli({"check", in});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.out, in + (fromEds ? ":493: " : ": ") + pairing + in + (fromEds ? ":537" : "") +
                             ": error: 0x1A00sub1: maps 0x6000sub1 with 16 bits, but UINT8 has 8 "
                             "[pdo-mapping-target]\n" +
                             in + ": 1 error, 1 warning\n");
    }
    r = RunCli({"check", dir.File("faulty.prj"), "--json"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out.rfind("{\n  \"format\": \"quillmark-check/1\",\n  \"errors\": 1,\n  \"warnings\": 1,", 0),
              0u)
        << r.out;
    EXPECT_TRUE(Contains(r.out,
                         "\"rule\": \"pdo-mapping-target\",\n      \"severity\": \"error\",\n      "
                         "\"index\": 6656,\n      \"subindex\": 1,\n      \"location\": \"0x1A00sub1\","))
        << r.out;

    // An entry the import left out for its type is a finding of its own; a file that cannot be read
    // fails.
    const std::string corpusFile = std::string(QM_CORPUS_DIR) + "/CanFestival__DS401_Slave_Gui.eds";
    r = RunCli({"check", corpusFile});
    EXPECT_TRUE(Contains(r.out, corpusFile +
                                    ":966: warning: 0x6423: the import leaves this entry out: BOOLEAN not "
                                    "supported [unsupported-data-type]\n"))
        << r.out;
    r = RunCli({"check", dir.File("missing.eds")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, dir.File("missing.eds") + ": error: The file " + dir.File("missing.eds") +
                         " could not be opened! [import]\n" + dir.File("missing.eds") +
                         ": 1 error, 0 warnings\n");
    r = RunCli({"check", dir.File("missing.prj")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.empty());
    // --json prints one object in every case, with the reason when the file could not be read.
    for (const std::string& missing : {dir.File("missing.eds"), dir.File("missing.prj")}) {
        r = RunCli({"check", "--json", missing});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.out.rfind("{\n  \"format\": \"quillmark-check/1\",\n  \"error\": ", 0), 0u) << r.out;
    }
    // A file whose import stops part-way fails as the other commands do, and says why.
    const std::string stopped = std::string(QM_CORPUS_DIR) + "/python-canopen__datatypes.eds";
    r = RunCli({"check", stopped});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.out, stopped + ": error: the file " + stopped +
                                    " was not imported: the last index of an "
                                    "object list has a data type the import does not take [import]\n"))
        << r.out;
    EXPECT_TRUE(
        Contains(RunCli({"convert", stopped, dir.File("out.eds")}).err,
                 "quillmark-cli: " + stopped +
                     " was not imported: the last index of an object list has a data type the import does "
                     "not take (--lenient may read it)\n"));
}

// Every located line of check matches the error pattern of Emacs' compile mode (and of Vim's and CI
// problem matchers alike): FILE:LINE: then the severity.
TEST(Cli, CheckLinesMatchTheCompilerErrorPattern) {
    const std::string corpusFile = std::string(QM_CORPUS_DIR) + "/CANOPEN-SDK__elmo.dcf";
    const CliResult r = RunCli({"check", corpusFile});
    const std::regex gnu(R"(^([^:\n]+):([0-9]+): (error|warning): .*\[[a-z-]+\]$)");
    std::istringstream lines(r.out);
    int located = 0;
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (std::regex_match(line, match, gnu)) {
            EXPECT_EQ(match[1].str(), corpusFile);
            EXPECT_GT(std::stoi(match[2].str()), 0);
            ++located;
        }
    }
    EXPECT_GT(located, 20) << r.out;
}

// --lenient reads what the standard import refuses, for every command that reads a file, and reports
// its repairs on stderr; a project input is opened as always.
TEST(Cli, LenientReadsWhatTheImportRefuses) {
    TempDir dir;
    const std::string nameless = dir.File("nameless.eds");
    std::string bytes = ReadFileBytes(Example);
    WriteFileBytes(nameless, bytes.erase(bytes.find("FileName=io_device.eds"), 22));
    CliResult r = RunCli({"show", nameless});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              "Read EDS file: The selected file " + nameless + " is invalid!\nInvalid FileInfo section!\n");

    const std::string repair =
        "Warning: Lenient import of " + nameless + ":\nFileName missing: taken from the file name\n";
    r = RunCli({"--lenient", "convert", nameless, dir.File("named.prj")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, repair);
    r = RunCli({"show", nameless, "--lenient"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "FileName=nameless.eds\n")) << r.out;
    r = RunCli({"generate", "--lenient", nameless, dir.File("objdict.c")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, repair + PdoNotice);
    r = RunCli({"check", "--lenient", nameless});
    EXPECT_TRUE(Contains(r.out, "FileName missing: taken from the file name [import]\n")) << r.out;
    r = RunCli({"show", "--lenient", dir.File("named.prj")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(Contains(RunCli({"--help"}).out, "--lenient"));
}

// Paths as the system writes them (on Windows a drive letter and backslashes) with names outside
// ASCII: the messages name the path as given, the export's FileName is the name after the last
// separator, and every line of the written EDS ends in exactly one CR LF.
TEST(Cli, NativeUtf8PathsInMessagesAndFileName) {
    TempDir dir;
    std::string folder = dir.Path();
#ifdef _WIN32
    std::replace(folder.begin(), folder.end(), '/', '\\');
    const std::string separator = "\\";
#else
    const std::string separator = "/";
#endif
    const std::string in = folder + separator + "Ger\xC3\xA4t.eds";
    const std::string out = folder + separator + "\xE8\xAE\xBE\xE5\xA4\x87 out.eds";
    std::string bytes = ReadFileBytes(Example);
    WriteFileBytes(in, bytes.erase(bytes.find("FileName=io_device.eds"), 22));

    CliResult r = RunCli({"--lenient", "convert", in, out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "Lenient import of " + in + ":\n")) << r.err;
    const std::string written = ReadFileBytes(out);
    EXPECT_TRUE(Contains(written, "FileName=\xE8\xAE\xBE\xE5\xA4\x87 out.eds\r\n")) << written.substr(0, 200);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'),
              std::count(written.begin(), written.end(), '\r'));
    EXPECT_FALSE(Contains(written, "\r\r"));
    EXPECT_FALSE(Contains(written, "\n\n"));

    const std::string missing = folder + separator + "missing.eds";
    r = RunCli({"show", missing});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.err, missing)) << r.err;
}

// UTF-8 reaches a Windows console as UTF-16, whole characters only, however the writes split them.
TEST(Cli, ConsoleGetsWholeUtf16Characters) {
    EXPECT_EQ(CompleteUtf8Length("ab\xC3"), 2u);
    EXPECT_EQ(CompleteUtf8Length("ab\xC3\xA4"), 4u);
    EXPECT_EQ(CompleteUtf8Length("\xF0\x9F\x98"), 0u);
    EXPECT_EQ(CompleteUtf8Length("\xE9t\xE9"), 2u) << "a lead byte at the end waits for more";
    EXPECT_EQ(CompleteUtf8Length("\xE9t"), 2u) << "a lead byte before another is passed on";
    std::u16string shown;
    {
        Utf16ConsoleBuffer buffer([&shown](const std::u16string& units) { shown += units; });
        std::ostream console(&buffer);
        const std::string text = "Ger\xC3\xA4t \xF0\x9F\x98\x80\n";
        for (const char c : text) {
            console << c;
            console.flush();
        }
        console << "\xE8\xAE\xBE";
    }
    EXPECT_EQ(shown, u"Ger\u00E4t \U0001F600\n\u8BBE");
}

// document writes either format; its appendix holds exactly what check prints, and the import's
// messages reach stderr as with every command and the appendix as with check.
TEST(Cli, DocumentWritesMarkdownOrHtmlWithTheCheckLines) {
    TempDir dir;
    const std::string nameless = dir.File("nameless.eds");
    std::string bytes = ReadFileBytes(Example);
    WriteFileBytes(nameless, bytes.erase(bytes.find("FileName=io_device.eds"), 22));
    for (const std::string& in : {Example, nameless}) {
        const std::string name = std::filesystem::path(in).filename().string();
        std::string checked = RunCli({"--lenient", "check", in}).out;
        // Each line starts with the file; the document names it without its folder.
        for (std::size_t at = 0; at < checked.size(); at = checked.find('\n', at) + 1) {
            checked.replace(at, in.size(), name);
        }
        for (const std::string& out : {dir.File(name + ".md"), dir.File(name + ".HTML")}) {
            SCOPED_TRACE(out);
            const CliResult r = RunCli({"--lenient", "document", in, out});
            ASSERT_EQ(r.exitCode, 0) << r.err;
            EXPECT_EQ(r.err, in == Example ? ""
                                           : "Warning: Lenient import of " + nameless +
                                                 ":\nFileName missing: taken from the file name\n");
            const std::string page = ReadFileBytes(out);
            EXPECT_TRUE(Contains(page, checked)) << page;
            EXPECT_EQ(page.rfind(out.back() == 'd' ? "# IOM-8822 I/O Module\n" : "<!DOCTYPE html>\n", 0), 0u);
        }
    }
    const CliResult verbose = RunCli({"-v", "document", Example, dir.File("io.md")});
    EXPECT_EQ(verbose.err, "Read EDS file: The file " + Example + " was successfully readed!\n" +
                               "Create documentation: The file " + dir.File("io.md") +
                               " was successfully created!\n");
    const CliResult missing = RunCli({"document", dir.File("missing.eds"), dir.File("missing.md")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing.md")));
    const CliResult unwritable = RunCli({"document", Example, dir.File("no/such/folder/io.html")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_FALSE(unwritable.err.empty());
}
