#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/IndexEntry.h"
#include "platform/TextEncoding.h"

// What the tree's filter shows of one index node and its subindex nodes.
struct IndexFilterMatch {
    bool visible = false;
    // The index's own number or name matched: the node shows with all its subindices.
    bool itself = false;
    // Otherwise only the subindices whose names matched show (ascending), and the index is expanded.
    std::vector<std::uint16_t> subindices;

    bool ShowsSubindex(std::uint16_t subindex) const;
};

// The filter of the object tree. An index stays when its number ("1A00" or "0x1A00"), its name or the
// name of one of its subindices contains the text, without regard to case. Texts are compared as the
// document holds them: in a Windows-1252 document the upper- and lower-case letters of that code page
// count as equal; in a UTF-8 document the ASCII letters and the accented Latin-1 letters do.
class TreeFilter {
public:
    TreeFilter() = default;
    explicit TreeFilter(const std::string& text, TextEncoding encoding = TextEncoding::Windows1252);

    bool IsEmpty() const { return m_text.empty(); }
    IndexFilterMatch Match(const IndexEntry& index) const;
    bool MatchesNumber(std::uint16_t index) const;
    bool MatchesName(const std::string& name) const;

private:
    // Folded to lower case.
    std::string m_text;
    TextEncoding m_encoding = TextEncoding::Windows1252;
};

// The status bar's report while the filter is on: "12 of 338 indices".
std::string FilterStatusText(int shown, int total);
