#include "ui/tree_pane/TreeFilter.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace {

// Windows-1252 lower case: ASCII, the accented capitals 0xC0..0xDE (but the multiplication sign) and
// the four capitals in the 0x80 row whose small letters sit 0x10 or 0x60 further on.
char Fold(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
        return static_cast<char>(byte + 0x20);
    }
    switch (byte) {
        case 0x8A:  // S with caron
        case 0x8C:  // OE
        case 0x8E:  // Z with caron
            return static_cast<char>(byte + 0x10);
        case 0x9F:  // Y with diaeresis
            return static_cast<char>(0xFF);
        default:
            return c;
    }
}

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c;
}

// UTF-8 lower case of ASCII and of the accented Latin-1 capitals (0xC3 0x80..0x9E but the
// multiplication sign); the bytes of every other character are left as they are, so a lead byte is
// never mistaken for a letter of its own.
std::string FoldUtf8(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        folded += FoldAscii(text[i]);
        if (byte == 0xC3 && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            folded += static_cast<char>(next >= 0x80 && next <= 0x9E && next != 0x97 ? next + 0x20 : next);
            ++i;
        }
    }
    return folded;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

bool IndexFilterMatch::ShowsSubindex(std::uint16_t subindex) const {
    return itself || std::binary_search(subindices.begin(), subindices.end(), subindex);
}

TreeFilter::TreeFilter(const std::string& text, TextEncoding encoding) : m_encoding(encoding) {
    if (encoding == TextEncoding::Utf8) {
        m_text = FoldUtf8(text);
    } else {
        m_text = text;
        std::transform(m_text.begin(), m_text.end(), m_text.begin(), Fold);
    }
}

bool TreeFilter::MatchesName(const std::string& name) const {
    if (m_text.empty()) {
        return true;
    }
    if (m_encoding == TextEncoding::Utf8) {
        // Only a name with a character beyond ASCII needs a folded copy, which stays rare.
        if (!IsAscii(name)) {
            return FoldUtf8(name).find(m_text) != std::string::npos;
        }
        return std::search(name.begin(), name.end(), m_text.begin(), m_text.end(),
                           [](char fromName, char fromFilter) {
                               return FoldAscii(fromName) == fromFilter;
                           }) != name.end();
    }
    // No folded copy of every name: the comparison folds as it goes, which keeps a keystroke on a large
    // dictionary free of allocations.
    return std::search(name.begin(), name.end(), m_text.begin(), m_text.end(),
                       [](char fromName, char fromFilter) { return Fold(fromName) == fromFilter; }) !=
           name.end();
}

bool TreeFilter::MatchesNumber(std::uint16_t index) const {
    char number[8];
    std::snprintf(number, sizeof number, "0x%04x", static_cast<unsigned>(index));
    return std::string_view(number).find(m_text) != std::string_view::npos;
}

IndexFilterMatch TreeFilter::Match(const IndexEntry& index) const {
    IndexFilterMatch match;
    const SubindexEntry* header = index.Header();
    if (MatchesNumber(index.index) || (header != nullptr && MatchesName(header->name))) {
        match.visible = match.itself = true;
        return match;
    }
    // The tree shows the first entry as the index node and every other one as a subindex node.
    for (std::size_t i = 1; i < index.subindices.size(); ++i) {
        const SubindexEntry& entry = *index.subindices[i];
        if (MatchesName(entry.name)) {
            match.subindices.push_back(entry.subindex);
        }
    }
    std::sort(match.subindices.begin(), match.subindices.end());
    match.visible = !match.subindices.empty();
    return match;
}

std::string FilterStatusText(int shown, int total) {
    return std::to_string(shown) + " of " + std::to_string(total) + " indices";
}
