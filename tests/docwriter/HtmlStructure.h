#pragma once

#include <string>

// A strict reading of the pages the documentation writer makes: every element closed in order, every
// attribute quoted, every '&' an entity, no '<' or '>' in text, ids unique, every link a link to an
// id of the page, and nothing that loads from elsewhere (scripts, images, style sheets, frames, fonts,
// any src attribute). Returns "" for a page that passes, else the first problem and where it is.
std::string HtmlProblem(const std::string& page);
