#pragma once

#include <optional>
#include <string>
#include <vector>

#include "PlatformScript.h"
#include "ResultPrinting.h"
#include "platform/FileSystem.h"

// The platform the logic tests run on: every deviation from the script fails the running test, and
// whatever was announced but never used fails it when the platform goes away.
class ScriptedPlatform : public PlatformScript {
public:
    ~ScriptedPlatform() override;

protected:
    void OnProblem(const std::string& problem) override;
};

// The disk with faults: creating a file whose path contains a given text fails, and writing fails
// once a given number of bytes has been written in total (the bytes before the limit are written).
class FaultyFileSystem : public FileSystem {
public:
    void FailCreateOf(const std::string& pathPart) { m_failCreate = pathPart; }
    void FailWritesAfter(std::size_t bytes) { m_writeBudget = bytes; }
    void FailRemove(bool fail = true) { m_failRemove = fail; }
    void FailRename(bool fail = true) { m_failRename = fail; }

    std::unique_ptr<WritableFile> Create(const std::string& path, std::string& error) override;
    std::optional<std::string> ReadAll(const std::string& path, std::string& error) override {
        return m_disk.ReadAll(path, error);
    }
    std::optional<std::size_t> Size(const std::string& path) override { return m_disk.Size(path); }
    bool Remove(const std::string& path, std::string& error) override;
    bool Rename(const std::string& from, const std::string& to, std::string& error) override;
    bool Exists(const std::string& path) override { return m_disk.Exists(path); }

private:
    friend class FaultyFile;
    DiskFileSystem m_disk;
    std::optional<std::string> m_failCreate;
    std::optional<std::size_t> m_writeBudget;
    bool m_failRemove = false;
    bool m_failRename = false;
};

// A fresh empty folder under the system's temporary folder, removed with its content at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// The .eds and .dcf files of a folder, sorted by name.
std::vector<std::string> EdsFilesIn(const std::string& folder);

// Whole-file helpers for tests.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
