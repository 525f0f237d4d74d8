#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Platform.h"

// Files held in memory, so a fuzz run never touches the disk and every run starts from the same state.
class MemoryFileSystem : public FileSystem {
public:
    std::unique_ptr<WritableFile> Create(const std::string& path, std::string& error) override;
    std::optional<std::string> ReadAll(const std::string& path, std::string& error) override;
    std::optional<std::size_t> Size(const std::string& path) override;
    bool Remove(const std::string& path, std::string& error) override;
    bool Rename(const std::string& from, const std::string& to, std::string& error) override;
    bool Exists(const std::string& path) override;

    void Put(const std::string& path, std::string bytes) { m_files[path] = std::move(bytes); }
    const std::string* Find(const std::string& path) const;

private:
    std::map<std::string, std::string> m_files;
};

// A platform that never waits for anybody: every box is answered with its safe default (Ok, No or
// Cancel), choosers are cancelled, the clock stands still and the files live in memory.
class SilentPlatform : public Platform {
public:
    MsgResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon, bool withOwner = false) override;
    std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
    LocalTime GetLocalTime() override { return LocalTime{6, 12, 2026, 8, 30, 0}; }
    void ReportFileError(FileOperation operation, const std::string& path,
                         const std::string& reason) override;
    FileSystem& Files() override { return m_files; }

    MemoryFileSystem& Memory() { return m_files; }
    int MessageCount() const { return m_messageCount; }

private:
    MemoryFileSystem m_files;
    int m_messageCount = 0;
};
