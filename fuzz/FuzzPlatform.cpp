#include "FuzzPlatform.h"

namespace {

class MemoryFile : public WritableFile {
public:
    explicit MemoryFile(std::string& target) : m_target(target) {}

    bool Write(const char* data, std::size_t size) override {
        if (m_closed) {
            return false;
        }
        m_target.append(data, size);
        return true;
    }
    bool Close() override {
        m_closed = true;
        return true;
    }
    std::string Error() const override { return m_closed ? "file is closed" : ""; }

private:
    std::string& m_target;
    bool m_closed = false;
};

}  // namespace

std::unique_ptr<WritableFile> MemoryFileSystem::Create(const std::string& path, std::string& error) {
    if (path.empty()) {
        error = "No such file or directory";
        return nullptr;
    }
    std::string& target = m_files[path];
    target.clear();
    return std::make_unique<MemoryFile>(target);
}

std::optional<std::string> MemoryFileSystem::ReadAll(const std::string& path, std::string& error) {
    const std::string* bytes = Find(path);
    if (bytes == nullptr) {
        error = "No such file or directory";
        return std::nullopt;
    }
    return *bytes;
}

std::optional<std::size_t> MemoryFileSystem::Size(const std::string& path) {
    const std::string* bytes = Find(path);
    if (bytes == nullptr) {
        return std::nullopt;
    }
    return bytes->size();
}

bool MemoryFileSystem::Remove(const std::string& path, std::string& error) {
    if (m_files.erase(path) == 0) {
        error = "No such file or directory";
        return false;
    }
    return true;
}

bool MemoryFileSystem::Rename(const std::string& from, const std::string& to, std::string& error) {
    auto found = m_files.find(from);
    if (found == m_files.end()) {
        error = "No such file or directory";
        return false;
    }
    std::string bytes = std::move(found->second);
    m_files.erase(found);
    m_files[to] = std::move(bytes);
    return true;
}

bool MemoryFileSystem::Exists(const std::string& path) {
    return Find(path) != nullptr;
}

const std::string* MemoryFileSystem::Find(const std::string& path) const {
    auto found = m_files.find(path);
    return found == m_files.end() ? nullptr : &found->second;
}

MsgResult SilentPlatform::MessageBox(const std::string&, const std::string&, MsgButtons buttons, MsgIcon,
                                     bool) {
    ++m_messageCount;
    return SafeAnswer(buttons);
}

std::optional<std::string> SilentPlatform::ChooseFile(const FileChooserRequest&) {
    return std::nullopt;
}

void SilentPlatform::ReportFileError(FileOperation, const std::string&, const std::string&) {}
