#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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
// quotation marks are kept as part of the value. Names and values are kept as positions in one text of
// at most 4 GiB: the part of a larger file beyond that is not read, and a SetString that would grow
// the text past it fails.
class ProfileFile {
public:
    static constexpr std::size_t MaxValueLength = 259;

    ProfileFile();
    ~ProfileFile();
    ProfileFile(ProfileFile&&) noexcept;
    ProfileFile& operator=(ProfileFile&&) noexcept;
    ProfileFile(const ProfileFile&) = delete;
    ProfileFile& operator=(const ProfileFile&) = delete;

    // What reading back a value written as this text gives: trimmed of blanks and cut to
    // MaxValueLength characters, with no blank left at the end by the cut. Values that the reader makes
    // up itself go through it, so they survive writing and reading.
    static std::string ValueAsRead(std::string_view text);

    // Parses the text of a whole file.
    static ProfileFile FromBytes(std::string bytes);
    // Reads and parses a file; nothing, with the reason, when it cannot be read.
    static std::optional<ProfileFile> Load(FileSystem& files, const std::string& path, std::string& error);

    // The value of the key, or the default when the section or the key is absent; at most
    // MaxValueLength characters. An empty value is returned as empty (so it counts as absent for a
    // presence test with an empty default).
    std::string GetString(std::string_view section, std::string_view key, std::string_view def) const;
    // The same value as a view into the file, valid until the next SetString.
    std::string_view GetView(std::string_view section, std::string_view key, std::string_view def) const;
    // True when the section exists and holds at least one key line.
    bool HasKeys(std::string_view section) const;
    // The line of the file, counted from 1, where the section's name or the key stands; 0 when it is
    // absent or was set after reading.
    std::uint32_t SectionLine(std::string_view section) const;
    std::uint32_t KeyLine(std::string_view section, std::string_view key) const;
    // True when the key stands in the section with a value that is not empty.
    bool HasValue(std::string_view section, std::string_view key) const;

    // A section found once by name, so that all of its keys can be read with that one look-up:
    // its position, or NoSection.
    static constexpr std::size_t NoSection = NameTable::None;
    std::size_t SectionAt(std::string_view name) const { return FindSection(name); }
    // The same for a caller that walks the sections mostly in the order of the file: `near` holds the
    // place of its last find (start it at NoSection), and the section there or the one after it
    // answers without a hash look-up. Each walk keeps its own place, so walks on several threads may
    // share the file, as any reading may.
    std::size_t SectionAt(std::string_view name, std::size_t& near) const;
    std::uint32_t SectionLineAt(std::size_t section) const { return m_sections[section].line; }
    bool HasKeysAt(std::size_t section) const { return m_sections[section].keyCount != 0; }
    // Calls visit(name, value) for every key of the section, in the order of the file, each name once,
    // with the value as GetString gives it.
    template <typename Visit>
    void ForEachKey(std::size_t section, Visit&& visit) const {
        const Section& s = m_sections[section];
        const Key* keys = KeysOf(s);
        for (std::size_t i = 0; i < s.keyCount; ++i) {
            const Key& key = keys[i];
            visit(View(key.name), ValueView(key.value));
        }
    }

    // A section or a key (then with its section) that stands a second time in the file, where the
    // first one counts.
    struct Repeat {
        std::string section;
        std::string key;
        std::uint32_t line = 0;
        std::uint32_t firstLine = 0;
    };
    const std::vector<Repeat>& Repeats() const { return m_repeats; }

    // The names of the sections that hold keys, in the order of the file, each once. The views stay
    // valid until the next SetString.
    std::vector<std::string_view> SectionNames() const;
    // Calls visit(name) for the same names, without making a list of tens of thousands of them.
    template <typename Visit>
    void ForEachSectionName(Visit&& visit) const {
        for (const Section& section : m_sections) {
            if (section.keyCount != 0) {
                visit(View(section.name));
            }
        }
    }
    // Appends the section and the key when they are new, else replaces the key's value. The value
    // is kept verbatim: one that ends in CR LF leaves an empty line after the key line.
    bool SetString(std::string_view section, std::string_view key, std::string_view value);

    // Prepares room for this many sections, so that writing a large file does not regrow its lists.
    void Reserve(std::size_t sectionCount);

    // The file text with CR LF line ends: each section's name in square brackets, then its key lines.
    std::string ToBytes() const;

private:
    // A piece of m_text by position, so that it stays valid when the text grows.
    struct Span {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    struct Key {
        Span name;
        Span value;
        std::uint32_t line = 0;
    };
    // A section's keys lie side by side in m_keys. Most sections hold a handful and are searched
    // linearly; long ones (the object lists) get a NameTable in m_keyTables.
    struct Section {
        Span name;
        std::uint32_t firstKey = 0;
        std::uint32_t keyCount = 0;
        std::uint32_t keyTable = NoKeyTable;
        std::uint32_t line = 0;
    };
    static constexpr std::uint32_t NoKeyTable = static_cast<std::uint32_t>(-1);
    // A firstKey with this bit counts in m_secondKeys, the keys of the second half of a file parsed in
    // two, which stay where that half put them.
    static constexpr std::uint32_t SecondPart = 0x80000000u;
    const Key* KeysOf(const Section& section) const {
        return (section.firstKey & SecondPart) != 0 ? m_secondKeys.data() + (section.firstKey & ~SecondPart)
                                                    : m_keys.data() + section.firstKey;
    }
    Key* KeysOf(const Section& section) { return const_cast<Key*>(std::as_const(*this).KeysOf(section)); }

    std::string_view View(Span span) const { return std::string_view(m_base + span.offset, span.length); }
    Span SpanOf(std::string_view part) const;
    // A stored value as a reader sees it: cut to MaxValueLength characters, trimmed.
    std::string_view ValueView(Span value) const;
    std::size_t FindSection(std::string_view name) const;
    std::size_t FindKey(const Section& section, std::string_view name) const;
    std::size_t FindParsedKey(const Section& section, std::string_view name) const;
    std::size_t AddSection(Span name, std::uint32_t line = 0);
    // Appends a section to the list only; IndexSection then enters it in the name index unless a
    // section of the same name (whose hash is given) is there already, whose position it returns.
    std::size_t AppendSection(Span name, std::uint32_t line);
    std::size_t IndexSection(std::size_t position, std::size_t hash);
    // FromBytes; a large text is parsed in two halves at once when mayShare allows.
    static ProfileFile Parse(std::string bytes, bool mayShare);
    std::uint32_t ParseLines(std::size_t begin, std::size_t end, std::uint32_t lineNumber);
    void Join(ProfileFile second, std::uint32_t lines);
    void AddKey(std::size_t section, Span name, Span value, std::uint32_t line = 0);
    // Appends a name or value set after parsing to m_text; SetString has made sure there is room.
    Span Store(std::string_view text);

    // The parsed file, followed by the names and values set since. Every name and value points in here.
    std::string m_text;
    std::vector<Key> m_keys;
    std::vector<Key> m_secondKeys;
    // The lines before the second half: its keys' line numbers count from there.
    std::uint32_t m_secondLines = 0;
    std::vector<Section> m_sections;
    NameTable m_sectionIndex;
    std::vector<NameTable> m_keyTables;
    std::vector<Repeat> m_repeats;
    // Where the positions of names and values count from: m_text's first byte, or for the second half
    // of a file parsed in two, the text of the whole file.
    const char* m_base;
};
