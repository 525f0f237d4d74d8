#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class FileSystem;

// An INI-style profile file held in memory, with the behaviour the EDS reader and writer rely on:
// section and key names match without regard to letter case, values are read trimmed of blanks and
// cut to MaxValueLength characters, an absent section or key gives the default, new sections and
// keys are appended at the end and an existing key is replaced in place. The file is parsed once;
// every look-up is answered from an index.
//
// Reading accepts CR LF and LF line ends. A line whose first non-blank character is ';' is a
// comment; where a section or a key appears twice, the first one counts; quotation marks are kept
// as part of the value.
class ProfileFile {
public:
    static constexpr std::size_t MaxValueLength = 259;

    ProfileFile() = default;
    // Parses the text of a whole file.
    static ProfileFile FromBytes(std::string_view bytes);
    // Reads and parses a file; nothing, with the reason, when it cannot be read.
    static std::optional<ProfileFile> Load(FileSystem& files, const std::string& path, std::string& error);

    // The value of the key, or the default when the section or the key is absent; at most
    // MaxValueLength characters. An empty value is returned as empty (so it counts as absent for a
    // presence test with an empty default).
    std::string GetString(std::string_view section, std::string_view key, std::string_view def) const;
    // True when the section exists and holds at least one key line.
    bool HasKeys(std::string_view section) const;
    // Appends the section and the key when they are new, else replaces the key's value. The value
    // is kept verbatim: one that ends in CR LF leaves an empty line after the key line.
    bool SetString(std::string_view section, std::string_view key, std::string_view value);

    // The file text with CR LF line ends: each section's name in square brackets, then its key lines.
    std::string ToBytes() const;

private:
    struct Key {
        std::string name;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Key> keys;
    };

    Section& AddSection(std::string_view name);
    static std::string Fold(std::string_view text);
    static std::string KeyId(std::string_view foldedSection, std::string_view key);

    std::vector<Section> m_sections;
    // Folded section name -> position in m_sections.
    std::unordered_map<std::string, std::size_t> m_sectionIndex;
    // Folded section name, a separator and the folded key name -> (section, key) positions.
    std::unordered_map<std::string, std::pair<std::size_t, std::size_t>> m_keyIndex;
};
