#include "GuiTestPlatform.h"

QStringList GuiTestPlatform::Problems() const {
    QStringList problems = m_problems;
    for (const std::string& leftover : Leftovers()) {
        problems << QString::fromStdString(leftover);
    }
    return problems;
}

void GuiTestPlatform::ReportFileError(FileOperation operation, const std::string& path,
                                      const std::string& reason) {
    MessageBox(FileErrorText(operation, path, reason), "Quillmark", MsgButtons::Ok, MsgIcon::Exclamation);
}
