#include "MemoryFileSystem.h"

class MemoryFile : public WritableFile {
public:
    MemoryFile(MemoryFileSystem& files, std::string path) : m_files(files), m_path(std::move(path)) {
        ++m_files.m_open[m_path];
    }
    ~MemoryFile() override { MemoryFile::Close(); }

    bool Write(const char* data, std::size_t size) override {
        if (m_closed || ++m_files.m_writeCalls == m_files.m_failingWrite) {
            return false;
        }
        m_files.m_files[m_path].append(data, size);
        return true;
    }
    bool Close() override {
        if (m_closed) {
            return true;
        }
        m_closed = true;
        --m_files.m_open[m_path];
        return m_files.m_failClose.empty() || m_path.find(m_files.m_failClose) == std::string::npos;
    }
    std::string Error() const override { return "Input/output error"; }

private:
    MemoryFileSystem& m_files;
    std::string m_path;
    bool m_closed = false;
};

std::unique_ptr<WritableFile> MemoryFileSystem::Create(const std::string& path, std::string&) {
    m_files[path].clear();
    return std::make_unique<MemoryFile>(*this, path);
}

std::optional<std::string> MemoryFileSystem::ReadAll(const std::string& path, std::string& error) {
    const auto found = m_files.find(path);
    if (found == m_files.end()) {
        error = "no such file";
        return std::nullopt;
    }
    return found->second;
}

std::optional<std::size_t> MemoryFileSystem::Size(const std::string& path) {
    const auto found = m_files.find(path);
    if (found == m_files.end()) {
        return std::nullopt;
    }
    return found->second.size();
}

bool MemoryFileSystem::Remove(const std::string& path, std::string& error) {
    if (m_files.erase(path) == 0) {
        error = "no such file";
        return false;
    }
    return true;
}

bool MemoryFileSystem::Rename(const std::string& from, const std::string& to, std::string& error) {
    const auto found = m_files.find(from);
    if (found == m_files.end()) {
        error = "no such file";
        return false;
    }
    m_files[to] = found->second;
    m_files.erase(from);
    return true;
}

std::string MemoryFileSystem::Bytes(const std::string& path) const {
    const auto found = m_files.find(path);
    return found == m_files.end() ? std::string() : found->second;
}
