#include "cli/CheckCommand.h"

#include <cstdlib>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "check/DictionaryCheck.h"
#include "cli/CliApp.h"
#include "cli/JsonWriter.h"
#include "document/CQuillmarkDoc.h"
#include "platform/ConsolePlatform.h"
#include "platform/ForwardingPlatform.h"
#include "platform/ResultCodes.h"
#include "platform/ResultMessage.h"

namespace {

// One line of a message box's text.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

// The number after "what 0x" in a message (at most four hexadecimal digits), if the message names one.
std::optional<std::uint16_t> NumberAfter(const std::string& text, const std::string& what) {
    const std::size_t at = text.find(what + " 0x");
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const std::string digits = text.substr(at + what.size() + 3, 4);
    char* end = nullptr;
    const unsigned long value = std::strtoul(digits.c_str(), &end, 16);
    if (end == digits.c_str()) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

}  // namespace

// A message of the import as a finding, at the index and subindex it names.
Finding ImportFinding(const std::string& text, MsgIcon icon) {
    Finding finding{"import", icon == MsgIcon::Error ? Severity::Error : Severity::Warning, std::nullopt,
                    std::nullopt, OneLine(text)};
    finding.index = NumberAfter(text, "index");
    if (finding.index) {
        finding.subindex = NumberAfter(text, "subindex");
        // The missing-section message names the entry of a VAR as subindex 0xFFFD.
        if (finding.subindex && *finding.subindex > 0xFF) {
            finding.subindex.reset();
        }
    }
    return finding;
}

MsgResult ImportMessages::MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                                     MsgIcon icon, bool withOwner) {
    // Each entry left out for its data type is a finding of its own, with its line.
    if (text.rfind("Data Type of index", 0) != 0) {
        findings.push_back(ImportFinding(text, icon));
    }
    return m_echo ? ForwardingPlatform::MessageBox(text, caption, buttons, icon, withOwner)
                  : SafeAnswer(buttons);
}

namespace {

void PrintLines(std::ostream& out, const std::string& in, const std::vector<Finding>& findings) {
    for (const Finding& finding : findings) {
        out << FindingLine(in, finding) << '\n';
    }
    out << FindingCountLine(in, CountFindings(findings)) << '\n';
}

void PrintJson(std::ostream& out, const std::vector<Finding>& findings, const std::string& error) {
    const FindingCounts counts = CountFindings(findings);
    JsonWriter json(out);
    json.BeginObject();
    json.Key("format").Value("quillmark-check/1");
    if (!error.empty()) {
        json.Key("error").Value(error);
    }
    json.Key("errors").Value(static_cast<std::uint64_t>(counts.errors));
    json.Key("warnings").Value(static_cast<std::uint64_t>(counts.warnings));
    json.Key("findings").BeginArray();
    for (const Finding& finding : findings) {
        json.BeginObject();
        json.Key("rule").Value(finding.rule);
        json.Key("severity").Value(SeverityName(finding.severity));
        if (finding.index) {
            json.Key("index").Value(std::uint64_t{*finding.index});
        }
        if (finding.subindex) {
            json.Key("subindex").Value(std::uint64_t{*finding.subindex});
        }
        json.Key("location").Value(LocationText(finding));
        if (finding.line != 0) {
            json.Key("line").Value(std::uint64_t{finding.line});
        }
        json.Key("text").Value(finding.text);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << '\n';
}

// Prints the findings and gives the exit status; warnings become errors with --strict. An error says why
// the file could not be read (whole); the exit status is then 1 whatever the findings.
int Report(const std::string& in, std::vector<Finding> findings, const std::string& error,
           const CheckOptions& options, std::ostream& out) {
    if (options.strict) {
        for (Finding& finding : findings) {
            finding.severity = Severity::Error;
        }
    }
    if (options.json) {
        PrintJson(out, findings, error);
    } else {
        PrintLines(out, in, findings);
    }
    return error.empty() && CountFindings(findings).errors == 0 ? ExitStatus::Success : ExitStatus::Failed;
}

}  // namespace

int RunCheck(const std::string& in, bool isProject, const CheckOptions& options, std::ostream& out,
             std::ostream& err) {
    ConsolePlatform console(err);
    if (isProject) {
        // A project that cannot be opened has nothing to check; its message on stderr says why.
        CQuillmarkDoc project(console);
        if (project.OpenProjectFile(in) != ProjectFileResult::Done) {
            return Report(in, {}, "the project " + in + " could not be opened", options, out);
        }
        return Report(in, CheckDictionary(project.GetDictionary(), project.GetDeviceInfo()), "", options,
                      out);
    }

    ImportMessages messages(console);
    CQuillmarkDoc doc(messages);
    doc.OnNewDocument();
    const EdsImportResult result = doc.ImportEds(in, options.mode);
    std::vector<Finding> findings = std::move(messages.findings);
    std::string error;
    if (result != EdsImportResult::Success) {
        error = "the file " + in + " was not imported: " + ImportFailureReason(result);
        if (const auto message = ResultMessageFor(result, in)) {
            findings.push_back(ImportFinding(message->text, message->icon));
        } else if (!ImportResultIsShown(result)) {
            findings.push_back(ImportFinding(error, MsgIcon::Error));
        }
        if (!doc.LastImportReplacedProject()) {
            return Report(in, std::move(findings), error, options, out);
        }
    }
    const ImportReport* report = doc.GetImportReport();
    if (report != nullptr) {
        for (Finding& finding : findings) {
            if (finding.index) {
                finding.line = report->EntryLine(*finding.index, finding.subindex.value_or(0xFFFF));
            }
        }
    }
    std::vector<Finding> found = CheckDictionary(doc.GetDictionary(), doc.GetDeviceInfo(), report);
    findings.insert(findings.end(), std::make_move_iterator(found.begin()),
                    std::make_move_iterator(found.end()));
    return Report(in, std::move(findings), error, options, out);
}
