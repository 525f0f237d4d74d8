#include "eds/ProfileFile.h"

#include "platform/FileSystem.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
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

constexpr std::size_t NoSection = static_cast<std::size_t>(-1);

}  // namespace

std::string ProfileFile::Fold(std::string_view text) {
    std::string folded(Trim(text));
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

std::string ProfileFile::KeyId(std::string_view foldedSection, std::string_view key) {
    std::string id;
    id.reserve(foldedSection.size() + key.size() + 1);
    id.append(foldedSection);
    id.push_back('\n');
    id.append(Fold(key));
    return id;
}

ProfileFile ProfileFile::FromBytes(std::string_view bytes) {
    ProfileFile file;
    std::size_t current = NoSection;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        const std::string_view line = Trim(bytes.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            const std::string_view name =
                line.substr(1, close == std::string_view::npos ? line.npos : close - 1);
            const std::string folded = Fold(name);
            if (file.m_sectionIndex.count(folded) != 0) {
                current = NoSection;  // a repeated section: the first one counts
            } else {
                file.AddSection(Trim(name));
                current = file.m_sections.size() - 1;
            }
            continue;
        }
        if (current == NoSection) {
            continue;
        }
        const std::size_t equals = line.find('=');
        const std::string_view name = Trim(line.substr(0, equals));
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view() : Trim(line.substr(equals + 1));
        const std::string id = KeyId(Fold(file.m_sections[current].name), name);
        if (file.m_keyIndex.count(id) == 0) {
            file.m_keyIndex.emplace(id, std::make_pair(current, file.m_sections[current].keys.size()));
            file.m_sections[current].keys.push_back(Key{std::string(name), std::string(value)});
        }
    }
    return file;
}

std::optional<ProfileFile> ProfileFile::Load(FileSystem& files, const std::string& path, std::string& error) {
    const std::optional<std::string> bytes = files.ReadAll(path, error);
    if (!bytes) {
        return std::nullopt;
    }
    return FromBytes(*bytes);
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view def) const {
    const auto found = m_keyIndex.find(KeyId(Fold(section), key));
    if (found == m_keyIndex.end()) {
        return std::string(Cap(def));
    }
    const Key& k = m_sections[found->second.first].keys[found->second.second];
    return std::string(Cap(k.value));
}

bool ProfileFile::HasKeys(std::string_view section) const {
    const auto found = m_sectionIndex.find(Fold(section));
    return found != m_sectionIndex.end() && !m_sections[found->second].keys.empty();
}

ProfileFile::Section& ProfileFile::AddSection(std::string_view name) {
    m_sectionIndex.emplace(Fold(name), m_sections.size());
    m_sections.push_back(Section{std::string(name), {}});
    return m_sections.back();
}

bool ProfileFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string folded = Fold(section);
    auto sectionAt = m_sectionIndex.find(folded);
    std::size_t position = 0;
    if (sectionAt == m_sectionIndex.end()) {
        position = m_sections.size();
        AddSection(section);
    } else {
        position = sectionAt->second;
    }
    std::string id = KeyId(folded, key);
    const auto keyAt = m_keyIndex.find(id);
    if (keyAt != m_keyIndex.end()) {
        m_sections[keyAt->second.first].keys[keyAt->second.second].value.assign(value);
        return true;
    }
    Section& target = m_sections[position];
    m_keyIndex.emplace(std::move(id), std::make_pair(position, target.keys.size()));
    target.keys.push_back(Key{std::string(key), std::string(value)});
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
