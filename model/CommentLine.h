#pragma once

#include <cstdint>
#include <string>

// One line of the EDS Comments section. The importer stores the number of the "Line%d" key it came
// from (counted from 1); the Comments dialog stores the position counted from 0.
struct CommentLine {
    std::string text;
    std::uint16_t lineNumber = 0;

    bool operator==(const CommentLine&) const = default;
};
