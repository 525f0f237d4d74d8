#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "check/Finding.h"
#include "eds/ImportMode.h"
#include "platform/ForwardingPlatform.h"

struct CheckOptions {
    bool json = false;                       // one JSON object instead of a line per finding
    bool strict = false;                     // warnings count as errors
    ImportMode mode = ImportMode::Standard;  // how an EDS or DCF is read
};

// quillmark-cli check IN: reads IN (an EDS or DCF is imported, a project opened) and prints what the
// dictionary checker finds, after the import's own messages. 0 without errors, 1 with errors or when
// IN cannot be read.
int RunCheck(const std::string& in, bool isProject, const CheckOptions& options, std::ostream& out,
             std::ostream& err);

// A message box of the import as a finding of the rule "import", on one line.
Finding ImportFinding(const std::string& text, MsgIcon icon);

// Turns the import's message boxes into findings; everything else goes to the inner platform. With
// echo the boxes are shown there as well.
class ImportMessages : public ForwardingPlatform {
public:
    explicit ImportMessages(Platform& inner, bool echo = false) : ForwardingPlatform(inner), m_echo(echo) {}

    MsgResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon, bool withOwner) override;

    std::vector<Finding> findings;

private:
    bool m_echo;
};
