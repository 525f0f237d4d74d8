#include "eds/ProfileFile.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/ParallelWork.h"

namespace {

constexpr std::size_t LinearSearchLimit = 16;
// Names and values are 32-bit positions in the text.
constexpr std::size_t MaxTextSize = 0xFFFFFFFFu;
// Room reserved up front from the file's size, so that the lists of a large file do not regrow: an EDS
// line is rarely shorter than 16 bytes, a section rarely shorter than 128. Pages never filled are never
// touched, so a generous guess costs no memory.
constexpr std::size_t BytesPerKeyGuess = 16;
constexpr std::size_t BytesPerSectionGuess = 128;
// Below this size a file is parsed in one thread.
constexpr std::size_t ParallelMinimumBytes = std::size_t{1024} * 1024;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// ASCII lower case of every byte; bytes above 0x7F stay as they are.
constexpr std::array<unsigned char, 256> FoldTable = [] {
    std::array<unsigned char, 256> table{};
    for (unsigned c = 0; c < 256; ++c) {
        table[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return table;
}();

unsigned char Fold(char c) {
    return FoldTable[static_cast<unsigned char>(c)];
}

inline std::string_view TrimStart(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

inline std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

inline std::string_view Trim(std::string_view text) {
    return TrimEnd(TrimStart(text));
}

std::string_view Cap(std::string_view text) {
    return text.substr(0, ProfileFile::MaxValueLength);
}

// FNV-1a over the lower-cased name, so that names differing only in case meet.
std::size_t CaseHash(std::string_view text) {
    std::size_t hash = 14695981039346656037ull;
    for (char c : text) {
        hash = (hash ^ Fold(c)) * 1099511628211ull;
    }
    return hash;
}

// Most characters compared are equal as they stand: the reader asks with nearly the spelling the file
// uses ("1018Sub1" for "1018sub1"), so only the odd byte is folded.
bool CaseEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && Fold(a[i]) != Fold(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

ProfileFile::ProfileFile() : m_base(m_text.data()) {}
ProfileFile::~ProfileFile() = default;

ProfileFile::ProfileFile(ProfileFile&& other) noexcept : ProfileFile() {
    *this = std::move(other);
}

// A short text lives inside the string object, so the base moves with it; a part's base is another
// file's text and stays.
ProfileFile& ProfileFile::operator=(ProfileFile&& other) noexcept {
    const bool ownText = other.m_base == other.m_text.data();
    const char* const base = other.m_base;
    m_text = std::move(other.m_text);
    m_keys = std::move(other.m_keys);
    m_secondKeys = std::move(other.m_secondKeys);
    m_secondLines = other.m_secondLines;
    m_sections = std::move(other.m_sections);
    m_sectionIndex = std::move(other.m_sectionIndex);
    m_keyTables = std::move(other.m_keyTables);
    m_repeats = std::move(other.m_repeats);
    m_base = ownText ? m_text.data() : base;
    other.m_base = other.m_text.data();
    return *this;
}

void ProfileFile::Reserve(std::size_t sectionCount) {
    m_sections.reserve(sectionCount);
    m_sectionIndex.Reserve(sectionCount);
}

ProfileFile::Span ProfileFile::SpanOf(std::string_view part) const {
    if (part.empty()) {
        return {};
    }
    return Span{static_cast<std::uint32_t>(part.data() - m_base), static_cast<std::uint32_t>(part.size())};
}

std::string_view ProfileFile::ValueView(Span value) const {
    // A cut value never ends in a blank either: such a blank would not survive writing and reading.
    return Trim(Cap(View(value)));
}

ProfileFile::Span ProfileFile::Store(std::string_view text) {
    const Span span{static_cast<std::uint32_t>(m_text.size()), static_cast<std::uint32_t>(text.size())};
    m_text.append(text);
    m_base = m_text.data();
    return span;
}

std::size_t ProfileFile::FindSection(std::string_view name) const {
    name = Trim(name);
    return m_sectionIndex.Find(CaseHash(name), [&](std::size_t position) {
        return CaseEqual(View(m_sections[position].name), name);
    });
}

std::size_t ProfileFile::SectionAt(std::string_view name, std::size_t& near) const {
    name = Trim(name);
    // Besides the hash look-up, this spares a jump to a far place in memory.
    for (std::size_t at = near; at < m_sections.size() && at <= near + 1; ++at) {
        if (CaseEqual(View(m_sections[at].name), name)) {
            near = at;
            return at;
        }
    }
    const std::size_t found = FindSection(name);
    if (found != NameTable::None) {
        near = found;
    }
    return found;
}

// The position of the key within its section, or None.
std::size_t ProfileFile::FindKey(const Section& section, std::string_view name) const {
    name = Trim(name);
    const Key* keys = KeysOf(section);
    if (section.keyTable != NoKeyTable) {
        return m_keyTables[section.keyTable].Find(
            CaseHash(name), [&](std::size_t position) { return CaseEqual(View(keys[position].name), name); });
    }
    for (std::size_t i = 0; i < section.keyCount; ++i) {
        if (keys[i].name.length == name.size() && CaseEqual(View(keys[i].name), name)) {
            return i;
        }
    }
    return NameTable::None;
}

// While the file is parsed, names come trimmed and most sections hold a few keys of different
// lengths: a look at the lengths settles nearly every comparison.
std::size_t ProfileFile::FindParsedKey(const Section& section, std::string_view name) const {
    if (section.keyTable != NoKeyTable) {
        return FindKey(section, name);
    }
    const Key* keys = KeysOf(section);
    for (std::size_t i = 0; i < section.keyCount; ++i) {
        if (keys[i].name.length == name.size() && CaseEqual(View(keys[i].name), name)) {
            return i;
        }
    }
    return NameTable::None;
}

std::size_t ProfileFile::AppendSection(Span name, std::uint32_t line) {
    Section section;
    section.name = name;
    section.line = line;
    section.firstKey = static_cast<std::uint32_t>(m_keys.size());
    m_sections.push_back(section);
    return m_sections.size() - 1;
}

std::size_t ProfileFile::IndexSection(std::size_t position, std::size_t hash) {
    const std::string_view name = View(m_sections[position].name);
    return m_sectionIndex.FindOrInsert(
        hash, position, [&](std::size_t other) { return CaseEqual(View(m_sections[other].name), name); });
}

std::size_t ProfileFile::AddSection(Span name, std::uint32_t line) {
    const std::size_t position = AppendSection(name, line);
    m_sectionIndex.Insert(CaseHash(View(name)), position);
    return position;
}

// Keys are appended where their section's keys end. A section whose keys no longer end the list
// (a key set later in an earlier section) first moves its keys to the end, once; the positions in its
// key table count from its first key, so they stay valid.
void ProfileFile::AddKey(std::size_t position, Span name, Span value, std::uint32_t line) {
    Section& section = m_sections[position];
    const bool second = (section.firstKey & SecondPart) != 0;
    if (second || section.firstKey + section.keyCount != m_keys.size()) {
        // Room first, so that the keys copied stay where they are while they are copied.
        m_keys.reserve(m_keys.size() + section.keyCount + 1);
        const Key* keys = KeysOf(section);
        for (std::size_t i = 0; i < section.keyCount; ++i) {
            m_keys.push_back(keys[i]);
            m_keys.back().line += second ? m_secondLines : 0;
        }
        section.firstKey = static_cast<std::uint32_t>(m_keys.size() - section.keyCount);
    }
    m_keys.push_back(Key{name, value, line});
    ++section.keyCount;
    if (section.keyTable != NoKeyTable) {
        m_keyTables[section.keyTable].Insert(CaseHash(View(name)), section.keyCount - 1);
    } else if (section.keyCount > LinearSearchLimit) {
        section.keyTable = static_cast<std::uint32_t>(m_keyTables.size());
        NameTable& table = m_keyTables.emplace_back();
        for (std::size_t i = 0; i < section.keyCount; ++i) {
            table.Insert(CaseHash(View(KeysOf(section)[i].name)), i);
        }
    }
}

ProfileFile ProfileFile::FromBytes(std::string bytes) {
    return Parse(std::move(bytes), true);
}

ProfileFile ProfileFile::Parse(std::string bytes, bool mayShare) {
    ProfileFile file;
    file.m_text = std::move(bytes);
    file.m_base = file.m_text.data();
    const std::string_view text = std::string_view(file.m_text).substr(0, MaxTextSize);
    // The sections of both halves end up in this file's list, but the keys of the second half stay in
    // that half's own.
    file.Reserve(text.size() / BytesPerSectionGuess);
    // Editors that save in UTF-8 may put a byte-order mark in front of the first section.
    const std::size_t start = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    // A large file is parsed in two halves at once, cut where a line starts a section.
    const std::size_t cut = mayShare && ParallelWork::Worth(text.size(), ParallelMinimumBytes)
                                ? text.find("\n[", start + text.size() / 2)
                                : std::string_view::npos;
    const std::size_t split = cut == std::string_view::npos ? text.size() : cut + 1;
    file.m_keys.reserve(split / BytesPerKeyGuess);
    if (cut == std::string_view::npos) {
        file.ParseLines(start, text.size(), 0);
        return file;
    }
    std::uint32_t lines = 0;
    // The second half is parsed where it stands, by a part whose names and values point into this
    // file's text; its line numbers count from its own start.
    ProfileFile second;
    second.m_base = file.m_base;
    ParallelWork::RunBoth([&] { lines = file.ParseLines(start, split, 0); },
                          [&] {
                              second.m_keys.reserve((text.size() - split) / BytesPerKeyGuess);
                              second.Reserve((text.size() - split) / BytesPerSectionGuess);
                              second.ParseLines(split, text.size(), 0);
                          });
    file.Join(std::move(second), lines);
    return file;
}

// The lines of m_text from `begin` up to `end`, which is the end of the text or the start of a line;
// returns the number of the last line read.
std::uint32_t ProfileFile::ParseLines(std::size_t begin, std::size_t end, std::uint32_t lineNumber) {
    const std::string_view text(m_base, end);
    // A section takes its keys at once, but whether its name stood before is settled when the next
    // section begins: by then the slot of its name in the index, asked for when it began, has come from
    // memory, which a look-up at once would have waited for. A section that turns out to be repeated
    // gives its keys back, since the first one counts.
    std::size_t current = NameTable::None;
    std::size_t currentHash = 0;
    std::size_t repeatsBefore = 0;
    const auto settle = [&] {
        if (current == NameTable::None) {
            return;
        }
        const std::size_t first = IndexSection(current, currentHash);
        if (first == NameTable::None) {
            return;
        }
        const Section section = m_sections[current];
        m_keys.resize(section.firstKey);
        if (section.keyTable != NoKeyTable) {
            m_keyTables.pop_back();
        }
        m_sections.pop_back();
        m_repeats.resize(repeatsBefore);
        m_repeats.push_back(
            Repeat{std::string(View(section.name)), {}, section.line, m_sections[first].line});
    };
    while (begin < text.size()) {
        ++lineNumber;
        std::size_t lineEnd = text.find('\n', begin);
        if (lineEnd == std::string_view::npos) {
            lineEnd = text.size();
        }
        const std::string_view line = Trim(text.substr(begin, lineEnd - begin));
        begin = lineEnd + 1;
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            settle();
            const std::size_t close = line.find(']');
            const std::string_view name =
                Trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
            currentHash = CaseHash(name);
            m_sectionIndex.Prefetch(currentHash);
            repeatsBefore = m_repeats.size();
            current = AppendSection(SpanOf(name), lineNumber);
            continue;
        }
        if (current == NameTable::None) {
            continue;
        }
        // The line is trimmed already: the name needs trimming only before '=', the value after it.
        const std::size_t equals = line.find('=');
        const std::string_view name = TrimEnd(line.substr(0, equals));
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view() : TrimStart(line.substr(equals + 1));
        Section& section = m_sections[current];
        if (const std::size_t first = FindParsedKey(section, name); first == NameTable::None) {
            // The section being read holds the last keys of the list; until it is long enough for a
            // table of its own, a key only goes on the end.
            if (section.keyTable == NoKeyTable && section.keyCount < LinearSearchLimit &&
                section.firstKey + section.keyCount == m_keys.size()) {
                m_keys.push_back(Key{SpanOf(name), SpanOf(value), lineNumber});
                ++section.keyCount;
            } else {
                AddKey(current, SpanOf(name), SpanOf(value), lineNumber);
            }
        } else {
            m_repeats.push_back(Repeat{std::string(View(section.name)), std::string(name), lineNumber,
                                       KeysOf(section)[first].line});
        }
    }
    settle();
    return lineNumber;
}

// Adds the second half of the text, parsed on its own where it stands, after the `lines` lines of the
// first half, so that the file is as if parsed in one go: a section of the second half that stands in
// the first as well is a repeat, with its keys ignored, and the repeats keep the order of their lines.
void ProfileFile::Join(ProfileFile second, std::uint32_t lines) {
    const auto tableOffset = static_cast<std::uint32_t>(m_keyTables.size());
    const std::size_t firstCount = m_sections.size();
    std::vector<Repeat> repeats;
    // The look-ups of the second half's names go to memory far apart: the slot of each is asked for a
    // few names ahead.
    constexpr std::size_t Ahead = 8;
    std::vector<std::size_t> hashes;
    hashes.reserve(second.m_sections.size());
    for (const Section& part : second.m_sections) {
        hashes.push_back(CaseHash(View(part.name)));
    }
    for (std::size_t i = 0; i < second.m_sections.size(); ++i) {
        if (i + Ahead < hashes.size()) {
            m_sectionIndex.Prefetch(hashes[i + Ahead]);
        }
        const Section& part = second.m_sections[i];
        const std::size_t position = AppendSection(part.name, part.line + lines);
        if (const std::size_t first = IndexSection(position, hashes[i]); first != NameTable::None) {
            m_sections.pop_back();
            repeats.push_back(
                Repeat{std::string(View(part.name)), {}, part.line + lines, m_sections[first].line});
            continue;
        }
        Section& section = m_sections[position];
        section.firstKey = part.firstKey | SecondPart;
        section.keyCount = part.keyCount;
        section.keyTable = part.keyTable == NoKeyTable ? NoKeyTable : part.keyTable + tableOffset;
    }
    // The second half's keys stay where it put them; their line numbers count from the cut.
    m_secondKeys = std::move(second.m_keys);
    m_secondLines = lines;
    for (NameTable& table : second.m_keyTables) {
        m_keyTables.push_back(std::move(table));
    }
    for (Repeat& repeat : second.m_repeats) {
        const std::size_t counting = FindSection(repeat.section);
        // The keys of a section that the first half holds were ignored, repeated or not.
        if (!repeat.key.empty() && counting < firstCount) {
            continue;
        }
        repeat.line += lines;
        repeat.firstLine = repeat.key.empty() ? m_sections[counting].line : repeat.firstLine + lines;
        repeats.push_back(std::move(repeat));
    }
    std::stable_sort(repeats.begin(), repeats.end(),
                     [](const Repeat& a, const Repeat& b) { return a.line < b.line; });
    m_repeats.insert(m_repeats.end(), std::make_move_iterator(repeats.begin()),
                     std::make_move_iterator(repeats.end()));
}

std::optional<ProfileFile> ProfileFile::Load(FileSystem& files, const std::string& path, std::string& error) {
    std::optional<std::string> bytes = files.ReadAll(path, error);
    if (!bytes) {
        return std::nullopt;
    }
    return FromBytes(std::move(*bytes));
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view def) const {
    return std::string(GetView(section, key, def));
}

std::string_view ProfileFile::GetView(std::string_view section, std::string_view key,
                                      std::string_view def) const {
    const std::size_t found = FindSection(section);
    if (found == NameTable::None) {
        return Cap(def);
    }
    const Section& s = m_sections[found];
    const std::size_t k = FindKey(s, key);
    if (k == NameTable::None) {
        return Cap(def);
    }
    return ValueView(KeysOf(s)[k].value);
}

std::string ProfileFile::ValueAsRead(std::string_view text) {
    return std::string(Trim(Cap(Trim(text))));
}

bool ProfileFile::HasKeys(std::string_view section) const {
    const std::size_t found = FindSection(section);
    return found != NameTable::None && m_sections[found].keyCount != 0;
}

std::uint32_t ProfileFile::SectionLine(std::string_view section) const {
    const std::size_t found = FindSection(section);
    return found == NameTable::None ? 0 : m_sections[found].line;
}

std::uint32_t ProfileFile::KeyLine(std::string_view section, std::string_view key) const {
    const std::size_t found = FindSection(section);
    if (found == NameTable::None) {
        return 0;
    }
    const std::size_t k = FindKey(m_sections[found], key);
    if (k == NameTable::None) {
        return 0;
    }
    const Section& s = m_sections[found];
    return KeysOf(s)[k].line + ((s.firstKey & SecondPart) != 0 ? m_secondLines : 0);
}

bool ProfileFile::HasValue(std::string_view section, std::string_view key) const {
    const std::size_t found = FindSection(section);
    if (found == NameTable::None) {
        return false;
    }
    const std::size_t k = FindKey(m_sections[found], key);
    return k != NameTable::None && !Trim(View(KeysOf(m_sections[found])[k].value)).empty();
}

std::vector<std::string_view> ProfileFile::SectionNames() const {
    std::vector<std::string_view> names;
    names.reserve(m_sections.size());
    for (const Section& section : m_sections) {
        if (section.keyCount != 0) {
            names.push_back(View(section.name));
        }
    }
    return names;
}

bool ProfileFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    const std::size_t room = MaxTextSize - std::min(m_text.size(), MaxTextSize);
    if (section.size() + key.size() + value.size() > room) {
        return false;
    }
    std::size_t found = FindSection(section);
    if (found == NameTable::None) {
        found = AddSection(Store(Trim(section)));
    }
    const Span stored = Store(value);
    const std::size_t k = FindKey(m_sections[found], key);
    if (k != NameTable::None) {
        KeysOf(m_sections[found])[k].value = stored;
        return true;
    }
    AddKey(found, Store(key), stored);
    return true;
}

std::string ProfileFile::ToBytes() const {
    std::size_t size = 0;
    for (const Section& section : m_sections) {
        size += section.name.length + 4;
        for (std::size_t i = 0; i < section.keyCount; ++i) {
            const Key& key = KeysOf(section)[i];
            size += key.name.length + key.value.length + 3;
        }
    }
    std::string bytes;
    bytes.reserve(size);
    for (const Section& section : m_sections) {
        bytes.append("[").append(View(section.name)).append("]\r\n");
        for (std::size_t i = 0; i < section.keyCount; ++i) {
            const Key& key = KeysOf(section)[i];
            bytes.append(View(key.name)).append("=").append(View(key.value)).append("\r\n");
        }
    }
    return bytes;
}
