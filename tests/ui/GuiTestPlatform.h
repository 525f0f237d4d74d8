#pragma once

#include <QStringList>
#include <string>

#include "PlatformScript.h"

// The platform of the GUI tests: message boxes are checked against the announced ones and answered
// from the script, file choosers answered from a queue. Nothing modal ever opens. Every deviation is
// collected in Problems(), which the fixture checks after each test.
class GuiTestPlatform : public PlatformScript {
public:
    GuiTestPlatform() { SetTime({24, 12, 2026, 9, 5, 3}); }

    // Unexpected or mismatching boxes and choosers, and expectations never met.
    QStringList Problems() const;
    // A deviation the fixture found itself (a dialog that did not open or did not close).
    void AddProblem(const QString& problem) { m_problems << problem; }

    // The editor shows the standard file-error report as a box, so tests announce it like any other.
    void ReportFileError(FileOperation operation, const std::string& path,
                         const std::string& reason) override;

protected:
    void OnProblem(const std::string& problem) override { m_problems << QString::fromStdString(problem); }

private:
    QStringList m_problems;
};
