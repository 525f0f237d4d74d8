#include "platform/BinaryFile.h"

#include <sys/stat.h>
#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>

#include <cstdio>
#endif

#ifdef _WIN32

std::wstring WidePath(const std::string& utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (length <= 0) {
        // Not UTF-8: a Windows-1252 name from an older file is taken in the ANSI code page.
        const int ansi = MultiByteToWideChar(CP_ACP, 0, utf8.data(), size, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(ansi), L'\0');
        MultiByteToWideChar(CP_ACP, 0, utf8.data(), size, wide.data(), ansi);
        return wide;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string Utf8FromWide(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::FILE* OpenBinaryFile(const std::string& path, const char* mode) {
    const std::string m = mode;
    return _wfopen(WidePath(path).c_str(), std::wstring(m.begin(), m.end()).c_str());
}

std::optional<PathStatus> StatPath(const std::string& path) {
    struct _stat64 info {};
    if (_wstat64(WidePath(path).c_str(), &info) != 0) {
        return std::nullopt;
    }
    return PathStatus{(info.st_mode & _S_IFDIR) != 0, static_cast<std::uint64_t>(info.st_size)};
}

bool RemoveFile(const std::string& path) {
    return _wremove(WidePath(path).c_str()) == 0;
}

bool ReplaceFileWith(const std::string& from, const std::string& to) {
    if (MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    // The reasons the messages name, in the C library's words, as on every other system.
    switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            errno = ENOENT;
            break;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            errno = EACCES;
            break;
        default:
            errno = EIO;
            break;
    }
    return false;
}

#else

std::FILE* OpenBinaryFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

std::optional<PathStatus> StatPath(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return PathStatus{S_ISDIR(info.st_mode), static_cast<std::uint64_t>(info.st_size)};
}

bool RemoveFile(const std::string& path) {
    return std::remove(path.c_str()) == 0;
}

bool ReplaceFileWith(const std::string& from, const std::string& to) {
#if defined(__linux__) && defined(RENAME_EXCHANGE)
    // Renaming over a file of megabytes takes milliseconds: the file system drops the old one, and
    // ext4 starts writing the new one out, before the call returns. Swapping the two names is instant;
    // the old content, now under the temporary name, is removed after. Only a file or a link is
    // swapped: renaming over anything else fails, as it must.
    struct stat target {};
    if (::lstat(to.c_str(), &target) == 0 && (S_ISREG(target.st_mode) || S_ISLNK(target.st_mode)) &&
        ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) == 0) {
        std::remove(from.c_str());
        return true;
    }
#endif
    return std::rename(from.c_str(), to.c_str()) == 0;
}

#endif
