#include "cli/CheckCommand.h"

#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "check/DictionaryCheck.h"
#include "cli/CliApp.h"
#include "cli/JsonWriter.h"
#include "document/CQuillmarkDoc.h"
#include "platform/ConsolePlatform.h"
#include "platform/ResultMessage.h"

namespace {

constexpr int ImportSucceeded = 11;

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

}  // namespace

Finding ImportFinding(const std::string& text, MsgIcon icon) {
    return Finding{"import", icon == MsgIcon::Error ? Severity::Error : Severity::Warning, std::nullopt,
                   std::nullopt, OneLine(text)};
}

MsgResult ImportMessages::MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                                     MsgIcon icon, bool withOwner) {
    findings.push_back(ImportFinding(text, icon));
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

void PrintJson(std::ostream& out, const std::vector<Finding>& findings) {
    const FindingCounts counts = CountFindings(findings);
    JsonWriter json(out);
    json.BeginObject();
    json.Key("format").Value("quillmark-check/1");
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
        json.Key("text").Value(finding.text);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << '\n';
}

// Prints the findings and gives the exit status; warnings become errors with --strict.
int Report(const std::string& in, std::vector<Finding> findings, bool readable, const CheckOptions& options,
           std::ostream& out) {
    if (options.strict) {
        for (Finding& finding : findings) {
            finding.severity = Severity::Error;
        }
    }
    if (options.json) {
        PrintJson(out, findings);
    } else {
        PrintLines(out, in, findings);
    }
    return readable && CountFindings(findings).errors == 0 ? ExitStatus::Success : ExitStatus::Failed;
}

}  // namespace

int RunCheck(const std::string& in, bool isProject, const CheckOptions& options, std::ostream& out,
             std::ostream& err) {
    ConsolePlatform console(err);
    if (isProject) {
        // A project that cannot be opened has nothing to check; its message on stderr says why.
        CQuillmarkDoc project(console);
        if (project.OpenProjectFile(in) != 1) {
            return ExitStatus::Failed;
        }
        return Report(in, CheckDictionary(project.GetDictionary(), project.GetDeviceInfo()), true, options,
                      out);
    }

    ImportMessages messages(console);
    CQuillmarkDoc doc(messages);
    doc.OnNewDocument();
    const int result = doc.ImportEds(in, options.mode);
    std::vector<Finding> findings = std::move(messages.findings);
    if (result != ImportSucceeded) {
        if (const auto message = ResultMessageFor(result, in, "")) {
            findings.push_back(ImportFinding(message->text, message->icon));
        } else if (findings.empty()) {
            // Some refusals show no message in the editor; here the user learns at least that much.
            findings.push_back(
                ImportFinding("The file " + in + " was not imported (result " + std::to_string(result) + ").",
                              MsgIcon::Error));
        }
        if (!doc.LastImportReplacedProject()) {
            return Report(in, std::move(findings), false, options, out);
        }
    }
    std::vector<Finding> found = CheckDictionary(doc.GetDictionary(), doc.GetDeviceInfo());
    findings.insert(findings.end(), std::make_move_iterator(found.begin()),
                    std::make_move_iterator(found.end()));
    return Report(in, std::move(findings), true, options, out);
}
