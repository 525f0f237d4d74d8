#pragma once

#include <iosfwd>
#include <string>

#include "eds/ImportMode.h"

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
