#include "check/DictionaryCheck.h"
#include "document/CQuillmarkDoc.h"
#include "docwriter/DocumentationWriter.h"
#include "platform/Platform.h"
#include "ui/tree_pane/CLeftPaneView.h"

namespace {

// The file the content came from, as the document's title and check lines name it.
std::string SourceName(const CQuillmarkDoc& document) {
    for (const std::string* path : {&document.GetProjectPath(), &document.GetImportedPath()}) {
        if (!path->empty()) {
            return FileNamePart(*path);
        }
    }
    return document.GetTitle();
}

// "io_device.eds" proposes "io_device.html".
std::string ProposedName(const std::string& sourceName) {
    return sourceName.substr(0, sourceName.rfind('.')) + ".html";
}

}  // namespace

void CLeftPaneView::OnCreateDocumentation() {
    FileChooserRequest request;
    request.open = false;
    request.filter = "HTML Files (*.html)|*.html|Markdown Files (*.md)|*.md||";
    request.defaultExtension = "html";
    const std::string sourceName = SourceName(*m_pDocument);
    request.initialFileName = ProposedName(sourceName);
    request.options = HideReadOnly | OverwritePrompt | PathMustExist;
    const std::optional<std::string> path = m_platform.ChooseFile(request);
    if (!path) {
        return;
    }
    RepaintMainWindow();
    // The chooser gives the type's extension to a name typed without one; a name with another
    // extension gets the page, the kind people open most.
    const DocumentationFormat format = DocumentationFormatFor(*path).value_or(DocumentationFormat::Html);
    const std::vector<Finding> findings = CheckDictionary(
        m_pDocument->GetDictionary(), m_pDocument->GetDeviceInfo(), m_pDocument->GetImportReport());
    const DocumentationSource source{m_pDocument->GetFileInfo(),
                                     m_pDocument->GetDeviceInfo(),
                                     m_pDocument->GetDictionary(),
                                     m_pDocument->GetTextEncoding(),
                                     sourceName,
                                     findings};
    bool written = false;
    {
        const WaitCursor wait(m_platform);
        written = SaveDocumentation(m_platform, *path, source, format);
    }
    if (written) {
        m_platform.MessageBox(DocumentationCreatedMessage(*path), DocumentationCaption, MsgButtons::Ok,
                              MsgIcon::Information);
    }
}
