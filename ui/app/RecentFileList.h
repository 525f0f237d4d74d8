#pragma once

#include <string>
#include <vector>

// The most recently used files of one kind, newest first, without repeats.
class RecentFileList {
public:
    static constexpr std::size_t DefaultSize = 8;

    explicit RecentFileList(std::size_t size = DefaultSize) : m_size(size) {}

    void Add(const std::string& path);
    void Remove(const std::string& path);
    void Assign(const std::vector<std::string>& paths);
    const std::vector<std::string>& Paths() const { return m_paths; }

private:
    std::size_t m_size;
    std::vector<std::string> m_paths;
};
