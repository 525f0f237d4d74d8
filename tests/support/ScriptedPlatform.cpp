#include "ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

ScriptedPlatform::~ScriptedPlatform() {
    for (const std::string& leftover : Leftovers()) {
        ADD_FAILURE() << leftover;
    }
}

void ScriptedPlatform::OnProblem(const std::string& problem) {
    ADD_FAILURE() << problem;
}

class FaultyFile : public WritableFile {
public:
    FaultyFile(std::unique_ptr<WritableFile> inner, FaultyFileSystem& owner)
        : m_inner(std::move(inner)), m_owner(owner) {}

    bool Write(const char* data, std::size_t size) override {
        auto& budget = m_owner.m_writeBudget;
        if (budget && size > *budget) {
            m_inner->Write(data, *budget);
            *budget = 0;
            m_error = "No space left on device";
            return false;
        }
        if (budget) {
            *budget -= size;
        }
        return m_inner->Write(data, size);
    }
    bool Close() override { return m_inner->Close(); }
    std::string Error() const override { return m_error.empty() ? m_inner->Error() : m_error; }

private:
    std::unique_ptr<WritableFile> m_inner;
    FaultyFileSystem& m_owner;
    std::string m_error;
};

std::unique_ptr<WritableFile> FaultyFileSystem::Create(const std::string& path, std::string& error) {
    if (m_failCreate && path.find(*m_failCreate) != std::string::npos) {
        error = "Permission denied";
        return nullptr;
    }
    auto inner = m_disk.Create(path, error);
    if (!inner) {
        return nullptr;
    }
    return std::make_unique<FaultyFile>(std::move(inner), *this);
}

bool FaultyFileSystem::Remove(const std::string& path, std::string& error) {
    if (m_failRemove) {
        error = "Permission denied";
        return false;
    }
    return m_disk.Remove(path, error);
}

bool FaultyFileSystem::Rename(const std::string& from, const std::string& to, std::string& error) {
    if (m_failRename) {
        error = "Permission denied";
        return false;
    }
    return m_disk.Rename(from, to, error);
}

TempDir::TempDir() {
    // mkdtemp is POSIX only: a random name, created exclusively, works on Windows as well.
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "quillmark-test-%012llx",
                      static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
        std::error_code error;
        if (std::filesystem::create_directory(base / name, error)) {
            m_path = (base / name).string();
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::vector<std::string> EdsFilesIn(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        const std::string ext = item.path().extension().string();
        if (ext == ".eds" || ext == ".dcf") {
            files.push_back(item.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Through the disk file system, so UTF-8 names work on Windows too.
std::string ReadFileBytes(const std::string& path) {
    std::string error;
    return DiskFileSystem().ReadAll(path, error).value_or(std::string());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::string error;
    if (auto file = DiskFileSystem().Create(path, error)) {
        file->Write(bytes);
        file->Close();
    }
}
