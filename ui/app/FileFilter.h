#pragma once

#include <string>

// Converts a chooser filter of the form "Description (*.ext)| *.ext|Other|*.x;*.y||" into Qt's form
// "Description (*.ext);;Other (*.x *.y)". The description keeps its text without any pattern list in
// parentheses of its own; the pattern part (trimmed, ';' separated) becomes the list Qt filters by.
std::string ToQtFilter(const std::string& filter);
