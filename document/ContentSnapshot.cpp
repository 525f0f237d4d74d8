#include "document/ContentSnapshot.h"

#include <functional>

namespace {

// What a shared copy costs beyond the index itself: the shared pointer's control block.
constexpr std::size_t SharedCopyOverhead = 64;

// The heap bytes of a text; a short text lives inside the string object and costs nothing more.
std::size_t HeapBytes(const std::string& text) {
    const char* data = text.data();
    const char* self = reinterpret_cast<const char*>(&text);
    const std::less<const char*> before;
    // NOLINTNEXTLINE(bugprone-sizeof-container): the string object's own size, where a short text lives.
    const bool inside = !before(data, self) && before(data, self + sizeof text);
    return inside ? 0 : text.capacity() + 1;
}

std::size_t EntryBytes(const SubindexEntry& entry) {
    return sizeof entry + HeapBytes(entry.name) + HeapBytes(entry.accessType) +
           HeapBytes(entry.defaultValue) + HeapBytes(entry.highLimit) + HeapBytes(entry.lowLimit);
}

std::size_t IndexBytes(const IndexEntry& index) {
    std::size_t bytes = sizeof index + HeapBytes(index.category) + HeapBytes(index.storage) +
                        HeapBytes(index.callbackName) +
                        index.subindices.capacity() * sizeof(std::unique_ptr<SubindexEntry>);
    for (const auto& entry : index.subindices) {
        bytes += EntryBytes(*entry);
    }
    return bytes;
}

std::size_t NameBytes(const ProjectName& name) {
    return HeapBytes(name.title) + HeapBytes(name.pathName) + HeapBytes(name.projectPath) +
           HeapBytes(name.importedPath);
}

std::size_t SectionBytes(const DeviceInfoSection& device, const FileInfoSection& file) {
    std::size_t bytes = 0;
    for (const std::string* text : {&device.VendorName, &device.ProductName, &device.OrderCode}) {
        bytes += HeapBytes(*text);
    }
    for (const std::string* text :
         {&file.FileName, &file.EDSVersion, &file.Description, &file.CreationTime, &file.CreationDate,
          &file.CreatedBy, &file.ModificationTime, &file.ModificationDate, &file.ModifiedBy}) {
        bytes += HeapBytes(*text);
    }
    return bytes;
}

}  // namespace

ContentSnapshot::ContentSnapshot(const LiveContent& live, const ContentSnapshot* base,
                                 std::shared_ptr<SnapshotMemory> memory)
    : m_comments(live.dictionary.CommentLines()),
      m_deviceInfo(live.deviceInfo),
      m_fileInfo(live.fileInfo),
      m_name(live.name),
      m_memory(std::move(memory)) {
    const std::uint16_t count = live.dictionary.GetIndexCount();
    m_indices.reserve(count);
    std::size_t candidate = 0;
    for (std::uint16_t position = 0; position < count; ++position) {
        const IndexEntry& index = *live.dictionary.GetIndexAt(position);
        // Both lists ascend by number, so one walk pairs every index with its earlier copy.
        if (base != nullptr) {
            const auto& earlier = base->m_indices;
            while (candidate < earlier.size() && earlier[candidate]->index < index.index) {
                ++candidate;
            }
            if (candidate < earlier.size() && earlier[candidate]->SameContent(index)) {
                m_indices.push_back(earlier[candidate++]);
                continue;
            }
        }
        m_indices.push_back(Freeze(index));
    }

    m_ownBytes = sizeof *this + m_indices.capacity() * sizeof(m_indices.front()) +
                 m_comments.capacity() * sizeof(CommentLine) + NameBytes(m_name) +
                 SectionBytes(m_deviceInfo, m_fileInfo);
    for (const CommentLine& line : m_comments) {
        m_ownBytes += HeapBytes(line.text);
    }
    m_memory->bytes += m_ownBytes;
}

ContentSnapshot::~ContentSnapshot() {
    m_memory->bytes -= m_ownBytes;
}

std::shared_ptr<const IndexEntry> ContentSnapshot::Freeze(const IndexEntry& index) const {
    std::unique_ptr<IndexEntry> copy = index.Clone();
    const std::size_t bytes = IndexBytes(*copy) + SharedCopyOverhead;
    // Counted before the shared pointer exists: should making it fail, its deleter gives the bytes back.
    m_memory->bytes += bytes;
    std::shared_ptr<SnapshotMemory> memory = m_memory;
    return std::shared_ptr<const IndexEntry>(copy.release(), [memory, bytes](const IndexEntry* frozen) {
        memory->bytes -= bytes;
        delete frozen;
    });
}

RestoredContent ContentSnapshot::Restore() const {
    RestoredContent restored;
    restored.dictionary = std::make_unique<ObjectDictionary>();
    for (const auto& index : m_indices) {
        restored.dictionary->InsertIndex(index->Clone());
    }
    restored.dictionary->CommentLines() = m_comments;
    restored.deviceInfo = std::make_unique<DeviceInfoSection>(m_deviceInfo);
    restored.fileInfo = std::make_unique<FileInfoSection>(m_fileInfo);
    restored.name = m_name;
    return restored;
}
