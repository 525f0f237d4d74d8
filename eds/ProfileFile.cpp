#include "eds/ProfileFile.h"

#include <algorithm>
#include <cstring>

#include "platform/FileSystem.h"

namespace {

constexpr std::size_t LinearSearchLimit = 16;
// A parameter section holds up to eight keys; reserving them at once saves growing each list.
constexpr std::size_t TypicalKeyCount = 8;
constexpr std::size_t ChunkSize = std::size_t{64} * 1024;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

char Fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view Cap(std::string_view text) {
    return text.substr(0, ProfileFile::MaxValueLength);
}

// FNV-1a over the lower-cased name, so that names differing only in case meet.
std::size_t CaseHash(std::string_view text) {
    std::size_t hash = 14695981039346656037ull;
    for (char c : text) {
        hash = (hash ^ static_cast<unsigned char>(Fold(c))) * 1099511628211ull;
    }
    return hash;
}

bool CaseEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

ProfileFile::ProfileFile() = default;
ProfileFile::~ProfileFile() = default;
ProfileFile::ProfileFile(ProfileFile&&) noexcept = default;
ProfileFile& ProfileFile::operator=(ProfileFile&&) noexcept = default;

void ProfileFile::Reserve(std::size_t sectionCount) {
    m_sections.reserve(sectionCount);
    m_sectionIndex.Reserve(sectionCount);
}

std::string_view ProfileFile::Store(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    if (m_chunks.empty() || m_chunkUsed + text.size() > m_chunkSize) {
        m_chunkSize = std::max(ChunkSize, text.size());
        m_chunks.push_back(std::make_unique<char[]>(m_chunkSize));
        m_chunkUsed = 0;
    }
    char* at = m_chunks.back().get() + m_chunkUsed;
    std::memcpy(at, text.data(), text.size());
    m_chunkUsed += text.size();
    return {at, text.size()};
}

const ProfileFile::Section* ProfileFile::FindSection(std::string_view name) const {
    name = Trim(name);
    if (m_lastSection < m_sections.size() && CaseEqual(m_sections[m_lastSection].name, name)) {
        return &m_sections[m_lastSection];
    }
    const std::size_t found = m_sectionIndex.Find(
        CaseHash(name), [&](std::size_t position) { return CaseEqual(m_sections[position].name, name); });
    if (found == NameTable::None) {
        return nullptr;
    }
    m_lastSection = found;
    return &m_sections[found];
}

ProfileFile::Section* ProfileFile::FindSection(std::string_view name) {
    return const_cast<Section*>(static_cast<const ProfileFile*>(this)->FindSection(name));
}

const ProfileFile::Key* ProfileFile::FindKey(const Section& section, std::string_view name) {
    name = Trim(name);
    if (section.keyIndex) {
        const std::size_t found = section.keyIndex->Find(CaseHash(name), [&](std::size_t position) {
            return CaseEqual(section.keys[position].name, name);
        });
        return found == NameTable::None ? nullptr : &section.keys[found];
    }
    for (const Key& key : section.keys) {
        if (CaseEqual(key.name, name)) {
            return &key;
        }
    }
    return nullptr;
}

ProfileFile::Key* ProfileFile::FindKey(Section& section, std::string_view name) {
    return const_cast<Key*>(FindKey(static_cast<const Section&>(section), name));
}

ProfileFile::Section& ProfileFile::AddSection(std::string_view name) {
    m_sections.push_back(Section{name, {}, nullptr});
    m_sections.back().keys.reserve(TypicalKeyCount);
    m_sectionIndex.Insert(CaseHash(name), m_sections.size() - 1);
    return m_sections.back();
}

void ProfileFile::AddKey(Section& section, std::string_view name, std::string_view value) {
    section.keys.push_back(Key{name, value});
    if (section.keyIndex) {
        section.keyIndex->Insert(CaseHash(name), section.keys.size() - 1);
    } else if (section.keys.size() > LinearSearchLimit) {
        section.keyIndex = std::make_unique<NameTable>();
        for (std::size_t i = 0; i < section.keys.size(); ++i) {
            section.keyIndex->Insert(CaseHash(section.keys[i].name), i);
        }
    }
}

ProfileFile ProfileFile::FromBytes(std::string bytes) {
    ProfileFile file;
    file.m_source = std::make_unique<std::string>(std::move(bytes));
    const std::string_view text = *file.m_source;
    file.Reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '[')));
    Section* current = nullptr;
    // Editors that save in UTF-8 may put a byte-order mark in front of the first section.
    std::size_t start = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            const std::string_view name =
                Trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
            // Keys of a repeated section are ignored: the first one counts.
            current = file.FindSection(name) != nullptr ? nullptr : &file.AddSection(name);
            continue;
        }
        if (current == nullptr) {
            continue;
        }
        const std::size_t equals = line.find('=');
        const std::string_view name = Trim(line.substr(0, equals));
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view() : Trim(line.substr(equals + 1));
        if (FindKey(*current, name) == nullptr) {
            AddKey(*current, name, value);
        }
    }
    return file;
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
    const Section* found = FindSection(section);
    const Key* k = found != nullptr ? FindKey(*found, key) : nullptr;
    if (k == nullptr) {
        return std::string(Cap(def));
    }
    // A cut value never ends in a blank either: such a blank would not survive writing and reading.
    return std::string(Trim(Cap(k->value)));
}

bool ProfileFile::HasKeys(std::string_view section) const {
    const Section* found = FindSection(section);
    return found != nullptr && !found->keys.empty();
}

bool ProfileFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    Section* found = FindSection(section);
    Section& target = found != nullptr ? *found : AddSection(Store(Trim(section)));
    if (Key* existing = FindKey(target, key)) {
        existing->value = Store(value);
        return true;
    }
    AddKey(target, Store(key), Store(value));
    return true;
}

std::string ProfileFile::ToBytes() const {
    std::size_t size = 0;
    for (const Section& section : m_sections) {
        size += section.name.size() + 4;
        for (const Key& key : section.keys) {
            size += key.name.size() + key.value.size() + 3;
        }
    }
    std::string bytes;
    bytes.reserve(size);
    for (const Section& section : m_sections) {
        bytes.append("[").append(section.name).append("]\r\n");
        for (const Key& key : section.keys) {
            bytes.append(key.name).append("=").append(key.value).append("\r\n");
        }
    }
    return bytes;
}
