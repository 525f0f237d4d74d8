#include "platform/FileSystem.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/BinaryFile.h"
#include "platform/ParallelWork.h"
#include "platform/Platform.h"

#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// Below this size a file's pages are left to come as they are first written.
constexpr std::size_t PrefaultMinimumBytes = std::size_t{1024} * 1024;

// A file of megabytes is read into fresh memory, whose pages the kernel hands out one fault at a time as
// they are first written. Asked for in two halves on two threads at once (Linux 5.14 and later), they
// come in less than half that time. Elsewhere, or where the kernel declines, nothing changes.
void PrefaultRoom(char* data, std::size_t size) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    if (!ParallelWork::Worth(size, PrefaultMinimumBytes)) {
        return;
    }
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pageSize <= 0) {
        return;
    }
    // Only whole pages inside the block are asked for.
    const auto page = static_cast<std::size_t>(pageSize);
    const std::size_t misalignment = reinterpret_cast<std::uintptr_t>(data) % page;
    const std::size_t lead = misalignment == 0 ? 0 : page - misalignment;
    if (lead >= size) {
        return;
    }
    const std::size_t whole = (size - lead) / page * page;
    char* const begin = data + lead;
    char* const middle = begin + whole / 2 / page * page;
    char* const end = begin + whole;
    const auto populate = [](char* first, char* last) {
        ::madvise(first, static_cast<std::size_t>(last - first), MADV_POPULATE_WRITE);
    };
    ParallelWork::RunBoth([&] { populate(begin, middle); }, [&] { populate(middle, end); });
#else
    (void)data;
    (void)size;
#endif
}

std::string LastError() {
    return std::strerror(errno);
}

class DiskFile : public WritableFile {
public:
    // The generator writes line by line: with the C library's own buffer of a few kilobytes, a source
    // file of megabytes would take a system call every few dozen lines.
    explicit DiskFile(std::FILE* file) : m_file(file), m_buffer(new char[BufferSize]) {
        std::setvbuf(m_file, m_buffer.get(), _IOFBF, BufferSize);
    }
    ~DiskFile() override {
        if (m_file != nullptr) {
            std::fclose(m_file);
        }
    }

    bool Write(const char* data, std::size_t size) override {
        if (m_file == nullptr) {
            m_error = "file is not open";
            return false;
        }
        if (size != 0 && std::fwrite(data, 1, size, m_file) != size) {
            m_error = LastError();
            return false;
        }
        return true;
    }

    bool Close() override {
        if (m_file == nullptr) {
            return true;
        }
        const int result = std::fclose(m_file);
        m_file = nullptr;
        if (result != 0) {
            m_error = LastError();
            return false;
        }
        return true;
    }

    std::string Error() const override { return m_error; }

private:
    static constexpr std::size_t BufferSize = std::size_t{256} * 1024;
    std::FILE* m_file;
    // Left uninitialised: its pages are touched only as far as the file fills it.
    std::unique_ptr<char[]> m_buffer;
    std::string m_error;
};

}  // namespace

std::unique_ptr<WritableFile> DiskFileSystem::Create(const std::string& path, std::string& error) {
    std::FILE* file = OpenBinaryFile(path, "wb");
    if (file == nullptr) {
        error = LastError();
        return nullptr;
    }
    return std::make_unique<DiskFile>(file);
}

std::optional<std::string> DiskFileSystem::ReadAll(const std::string& path, std::string& error) {
    const std::optional<PathStatus> info = StatPath(path);
    if (info && info->directory) {
        error = std::strerror(EISDIR);
        return std::nullopt;
    }
    std::FILE* file = OpenBinaryFile(path, "rb");
    if (file == nullptr) {
        error = LastError();
        return std::nullopt;
    }
    // A large file is read in one go into a string of its size, instead of being copied again each
    // time a growing string doubles. What the size did not announce (a file still growing, or one
    // without a size) is read on in chunks.
    std::string bytes;
    if (info && info->size > 0) {
        const auto size = static_cast<std::size_t>(info->size);
        bytes.reserve(size);
        PrefaultRoom(bytes.data(), size);
        bytes.resize(size);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    }
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    if (failed) {
        error = LastError();
    }
    std::fclose(file);
    if (failed) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::size_t> DiskFileSystem::Size(const std::string& path) {
    const std::optional<PathStatus> info = StatPath(path);
    if (!info || info->directory) {
        return std::nullopt;
    }
    std::FILE* file = OpenBinaryFile(path, "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::fclose(file);
    return static_cast<std::size_t>(info->size);
}

bool DiskFileSystem::Remove(const std::string& path, std::string& error) {
    if (!RemoveFile(path)) {
        error = LastError();
        return false;
    }
    return true;
}

bool DiskFileSystem::Rename(const std::string& from, const std::string& to, std::string& error) {
    if (!ReplaceFileWith(from, to)) {
        error = LastError();
        return false;
    }
    return true;
}

bool DiskFileSystem::Exists(const std::string& path) {
    return StatPath(path).has_value();
}

bool WriteWholeFile(FileSystem& files, const std::string& path, const std::string& bytes,
                    FileOperation& failed, std::string& reason) {
    auto file = files.Create(path, reason);
    if (!file) {
        failed = FileOperation::Create;
        return false;
    }
    if (!file->Write(bytes)) {
        failed = FileOperation::Write;
        reason = file->Error();
        return false;
    }
    if (!file->Close()) {
        failed = FileOperation::Close;
        reason = file->Error();
        return false;
    }
    return true;
}

std::string TemporaryPathFor(const std::string& path) {
    return path + ".tmp";
}

ReplaceOutcome ReplaceWholeFile(FileSystem& files, const std::string& path, const std::string& bytes,
                                FileOperation& failed, std::string& reason) {
    const std::string temporary = TemporaryPathFor(path);
    std::string ignored;
    if (!WriteWholeFile(files, temporary, bytes, failed, reason)) {
        files.Remove(temporary, ignored);
        return ReplaceOutcome::WriteFailed;
    }
    if (!files.Rename(temporary, path, reason)) {
        failed = FileOperation::Write;
        files.Remove(temporary, ignored);
        return ReplaceOutcome::RenameFailed;
    }
    return ReplaceOutcome::Replaced;
}
