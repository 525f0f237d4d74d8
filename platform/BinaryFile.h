#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

// Files named by UTF-8 paths, opened in binary mode on every system. On Windows the path goes through
// the wide API, so names outside the ANSI code page work and no line end is translated; elsewhere
// these are the C library's calls. Failures leave their reason in errno, as the C library does.

// fopen with a UTF-8 path; `mode` is "rb" or "wb".
std::FILE* OpenBinaryFile(const std::string& path, const char* mode);

struct PathStatus {
    bool directory = false;
    std::uint64_t size = 0;
};
// What the path names, or nothing when it names nothing that can be looked at.
std::optional<PathStatus> StatPath(const std::string& path);

bool RemoveFile(const std::string& path);
// Moves `from` over `to` in one step, replacing an existing `to` (which rename() does not on Windows).
bool ReplaceFileWith(const std::string& from, const std::string& to);

#ifdef _WIN32
std::wstring WidePath(const std::string& utf8);
std::string Utf8FromWide(const std::wstring& wide);
#endif
