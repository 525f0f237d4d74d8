#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

// A file open for writing. Every call reports failure with false and leaves the reason in Error().
class WritableFile {
public:
    virtual ~WritableFile() = default;
    virtual bool Write(const char* data, std::size_t size) = 0;
    bool Write(const std::string& text) { return Write(text.data(), text.size()); }
    virtual bool Close() = 0;
    virtual std::string Error() const = 0;
};

// File access for the readers and writers. The real implementation works on the disk; tests wrap it
// to fail at a chosen point.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Creates (or truncates) a file for writing in binary mode; null with the reason on failure.
    virtual std::unique_ptr<WritableFile> Create(const std::string& path, std::string& error) = 0;
    // The whole file as bytes; nothing with the reason when it cannot be read.
    virtual std::optional<std::string> ReadAll(const std::string& path, std::string& error) = 0;
    // Size in bytes, or nothing when the file cannot be opened.
    virtual std::optional<std::size_t> Size(const std::string& path) = 0;
    // Deletes a file; false with the reason on failure (a missing file is a failure here).
    virtual bool Remove(const std::string& path, std::string& error) = 0;
    // Replaces `to` by `from` in one step.
    virtual bool Rename(const std::string& from, const std::string& to, std::string& error) = 0;
    virtual bool Exists(const std::string& path) = 0;
};

// The disk, through the C library (binary mode, no translation of line ends).
class DiskFileSystem : public FileSystem {
public:
    std::unique_ptr<WritableFile> Create(const std::string& path, std::string& error) override;
    std::optional<std::string> ReadAll(const std::string& path, std::string& error) override;
    std::optional<std::size_t> Size(const std::string& path) override;
    bool Remove(const std::string& path, std::string& error) override;
    bool Rename(const std::string& from, const std::string& to, std::string& error) override;
    bool Exists(const std::string& path) override;
};

// Writes a whole buffer to a file in one go: create, write, close. On failure the operation that
// failed and its reason are returned through the out-parameters.
enum class FileOperation;
bool WriteWholeFile(FileSystem& files, const std::string& path, const std::string& bytes,
                    FileOperation& failed, std::string& reason);

// The file beside `path` that a new version is written to before it replaces `path`.
std::string TemporaryPathFor(const std::string& path);

// How ReplaceWholeFile ended: the new bytes are in place, or the temporary file could not be written,
// or it could not be renamed over the target.
enum class ReplaceOutcome { Replaced, WriteFailed, RenameFailed };

// Writes the bytes to the temporary file beside `path` and renames it over `path` once complete, so
// a failure never destroys the previous file: the temporary file is removed and `path` keeps its
// bytes. The failed operation (Write for the rename) and its reason come back as with WriteWholeFile.
ReplaceOutcome ReplaceWholeFile(FileSystem& files, const std::string& path, const std::string& bytes,
                                FileOperation& failed, std::string& reason);
