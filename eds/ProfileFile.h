#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "eds/NameTable.h"

class FileSystem;

// An INI-style profile file held in memory, with the behaviour the EDS reader and writer rely on:
// section and key names match without regard to letter case, values are read trimmed of blanks and
// cut to MaxValueLength characters, an absent section or key gives the default, new sections and
// keys are appended at the end and an existing key is replaced in place. The file is parsed once;
// every look-up is answered from an index.
//
// Reading accepts CR LF and LF line ends and skips a leading UTF-8 byte-order mark. A line whose first
// non-blank character is ';' is a comment; where a section or a key appears twice, the first one counts;
// quotation marks are kept as part of the value.
class ProfileFile {
public:
    static constexpr std::size_t MaxValueLength = 259;

    ProfileFile();
    ~ProfileFile();
    ProfileFile(ProfileFile&&) noexcept;
    ProfileFile& operator=(ProfileFile&&) noexcept;
    ProfileFile(const ProfileFile&) = delete;
    ProfileFile& operator=(const ProfileFile&) = delete;

    // Parses the text of a whole file.
    static ProfileFile FromBytes(std::string bytes);
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

    // Prepares room for this many sections, so that writing a large file does not regrow its lists.
    void Reserve(std::size_t sectionCount);

    // The file text with CR LF line ends: each section's name in square brackets, then its key lines.
    std::string ToBytes() const;

private:
    struct Key {
        std::string_view name;
        std::string_view value;
    };
    // Most sections hold a handful of keys and are searched linearly; long ones (the object lists)
    // get an index of their own.
    struct Section {
        std::string_view name;
        std::vector<Key> keys;
        std::unique_ptr<NameTable> keyIndex;
    };

    const Section* FindSection(std::string_view name) const;
    Section* FindSection(std::string_view name);
    static Key* FindKey(Section& section, std::string_view name);
    static const Key* FindKey(const Section& section, std::string_view name);
    Section& AddSection(std::string_view name);
    static void AddKey(Section& section, std::string_view name, std::string_view value);
    // Copies text into storage that lives as long as the file and never moves.
    std::string_view Store(std::string_view text);

    // The parsed file's bytes, which the names and values of a read file point into. Held on the
    // heap so that they stay where they are when the file object moves.
    std::unique_ptr<std::string> m_source;
    std::vector<std::unique_ptr<char[]>> m_chunks;
    std::size_t m_chunkUsed = 0;
    std::size_t m_chunkSize = 0;
    std::vector<Section> m_sections;
    NameTable m_sectionIndex;
    // The reader asks for several keys of one section in a row; the last section found answers
    // those without another hash look-up.
    mutable std::size_t m_lastSection = static_cast<std::size_t>(-1);
};
