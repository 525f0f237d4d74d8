#include "ui/app/RecentFileList.h"

#include <algorithm>

void RecentFileList::Add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    m_paths.erase(std::remove(m_paths.begin(), m_paths.end(), path), m_paths.end());
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > m_size) {
        m_paths.resize(m_size);
    }
}

void RecentFileList::Remove(const std::string& path) {
    m_paths.erase(std::remove(m_paths.begin(), m_paths.end(), path), m_paths.end());
}

void RecentFileList::Assign(const std::vector<std::string>& paths) {
    m_paths.clear();
    for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
        Add(*it);
    }
}
