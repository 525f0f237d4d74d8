#pragma once

#include <iosfwd>
#include <string>

#include "eds/ImportMode.h"

// quillmark-cli document IN OUT: reads IN as every command does and writes its documentation, Markdown
// for an OUT ending in .md, an HTML page for .html. The check summary holds what `check IN` prints.
int RunDocument(const std::string& in, const std::string& out, ImportMode mode, bool verbose,
                std::ostream& err);
