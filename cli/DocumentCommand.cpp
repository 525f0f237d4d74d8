#include "cli/DocumentCommand.h"

#include <iterator>

#include "check/DictionaryCheck.h"
#include "cli/CheckCommand.h"
#include "cli/CliApp.h"
#include "document/CQuillmarkDoc.h"
#include "docwriter/DocumentationWriter.h"
#include "platform/ConsolePlatform.h"

int RunDocument(const std::string& in, const std::string& out, ImportMode mode, bool verbose,
                std::ostream& err) {
    ConsolePlatform console(err);
    // The import's messages go to stderr as with every command, and into the check summary as `check`
    // reports them.
    ImportMessages messages(console, true);
    CQuillmarkDoc doc(messages);
    if (!LoadInput(doc, console, in, verbose, mode)) {
        return ExitStatus::Failed;
    }
    std::vector<Finding> findings = std::move(messages.findings);
    std::vector<Finding> found =
        CheckDictionary(doc.GetDictionary(), doc.GetDeviceInfo(), doc.GetImportReport());
    findings.insert(findings.end(), std::make_move_iterator(found.begin()),
                    std::make_move_iterator(found.end()));

    const DocumentationSource source{doc.GetFileInfo(),     doc.GetDeviceInfo(), doc.GetDictionary(),
                                     doc.GetTextEncoding(), FileNamePart(in),    findings};
    if (!SaveDocumentation(console, out, source, *DocumentationFormatFor(out))) {
        return ExitStatus::Failed;
    }
    if (verbose) {
        console.MessageBox(DocumentationCreatedMessage(out), DocumentationCaption, MsgButtons::Ok,
                           MsgIcon::Information);
    }
    return ExitStatus::Success;
}
