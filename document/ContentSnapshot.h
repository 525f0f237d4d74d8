#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "eds/EdsSections.h"
#include "model/ObjectDictionary.h"
#include "platform/TextEncoding.h"

// The name under which the document keeps its project. An import replaces it, so undoing an import
// gives the old one back.
struct ImportReport;

struct ProjectName {
    std::string title;
    std::string pathName;
    std::string projectPath;
    // The EDS file the project was last imported from; empty after New and Open.
    std::string importedPath;
    bool named = false;
    // The encoding the project's texts are shown in, chosen when it was imported or opened.
    TextEncoding encoding = TextEncoding::Windows1252;
    // What the import of that file saw of it, for the checker's lines; null when not imported.
    std::shared_ptr<const ImportReport> importReport;
};

// What a snapshot copies from the live document.
struct LiveContent {
    const ObjectDictionary& dictionary;
    const DeviceInfoSection& deviceInfo;
    const FileInfoSection& fileInfo;
    const ProjectName& name;
};

// Fresh content made from a snapshot, owned by the caller and ready to replace the document's.
struct RestoredContent {
    std::unique_ptr<ObjectDictionary> dictionary;
    std::unique_ptr<DeviceInfoSection> deviceInfo;
    std::unique_ptr<FileInfoSection> fileInfo;
    ProjectName name;
};

// The bytes held by every snapshot of one history, shared index copies counted once.
struct SnapshotMemory {
    std::size_t bytes = 0;
};

// A frozen copy of the document's whole content. Indices that have not changed since an earlier
// snapshot are shared with it rather than copied, so a history of many small edits on a large
// dictionary costs little more than the dictionary itself.
class ContentSnapshot {
public:
    // Copies `live`; every index that equals the one in `base` at the same number is shared.
    ContentSnapshot(const LiveContent& live, const ContentSnapshot* base,
                    std::shared_ptr<SnapshotMemory> memory);
    ~ContentSnapshot();
    ContentSnapshot(const ContentSnapshot&) = delete;
    ContentSnapshot& operator=(const ContentSnapshot&) = delete;

    // A deep copy of the content, exact down to the fields no file stores.
    RestoredContent Restore() const;

private:
    std::shared_ptr<const IndexEntry> Freeze(const IndexEntry& index) const;

    std::vector<std::shared_ptr<const IndexEntry>> m_indices;
    std::vector<CommentLine> m_comments;
    DeviceInfoSection m_deviceInfo;
    FileInfoSection m_fileInfo;
    ProjectName m_name;
    std::shared_ptr<SnapshotMemory> m_memory;
    std::size_t m_ownBytes = 0;
};
