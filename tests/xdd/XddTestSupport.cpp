#include "XddTestSupport.h"

#include <cstdio>

#include "xdd/CXddScan.h"

XddImportResult XddRun::Read(const std::string& bytes, const std::string& name) {
    WriteFileBytes(dir.File(name), bytes);
    return ReadPath(dir.File(name));
}

XddImportResult XddRun::ReadPath(const std::string& filePath) {
    path = filePath;
    return CXddScan(filePath, dictionary, fileInfo, deviceInfo, platform).ReadFile();
}

const SubindexEntry* XddRun::Entry(unsigned index, unsigned subindex) const {
    const IndexEntry* found = Find(index);
    if (found == nullptr) {
        return nullptr;
    }
    for (const auto& entry : found->subindices) {
        if (entry->subindex == subindex) {
            return entry.get();
        }
    }
    return nullptr;
}

std::string XddText(const std::string& objects, const std::string& deviceBody) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<ISO15745ProfileContainer xmlns=\"http://www.canopen.org/xml/1.1\">\n"
           " <ISO15745Profile><ProfileBody fileName=\"t.xdd\">" +
           deviceBody +
           "</ProfileBody></ISO15745Profile>\n"
           " <ISO15745Profile><ProfileBody><ApplicationLayers><CANopenObjectList>\n" +
           objects + "\n</CANopenObjectList></ApplicationLayers></ProfileBody></ISO15745Profile>\n" +
           "</ISO15745ProfileContainer>\n";
}

namespace {

std::string Where(const SubindexEntry& e) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04X/%X: ", e.index, e.subindex);
    return buffer;
}

}  // namespace

std::string EntryByEntryDifference(const ObjectDictionary& a, const ObjectDictionary& b) {
    if (a.GetIndexCount() != b.GetIndexCount()) {
        return "index counts differ: " + std::to_string(a.GetIndexCount()) + " / " +
               std::to_string(b.GetIndexCount());
    }
    for (std::uint16_t i = 0; i < a.GetIndexCount(); ++i) {
        const IndexEntry& x = *a.GetIndexAt(i);
        const IndexEntry& y = *b.GetIndexAt(i);
        if (x.index != y.index || x.subindices.size() != y.subindices.size() ||
            x.entryCount != y.entryCount || x.category != y.category || x.callbackName != y.callbackName ||
            x.storage != y.storage || x.headerSubindex != y.headerSubindex || x.kindMarker != y.kindMarker) {
            return "index record " + std::to_string(x.index) + " / " + std::to_string(y.index) + " differs";
        }
        for (std::size_t s = 0; s < x.subindices.size(); ++s) {
            const SubindexEntry& e = *x.subindices[s];
            const SubindexEntry& f = *y.subindices[s];
            const std::pair<const char*, bool> fields[] = {
                {"subindex", e.subindex == f.subindex},        {"name", e.name == f.name},
                {"object type", e.objectType == f.objectType}, {"data type", e.dataType == f.dataType},
                {"access", e.accessType == f.accessType},      {"mapping", e.pdoMapping == f.pdoMapping},
                {"default", e.defaultValue == f.defaultValue}, {"low limit", e.lowLimit == f.lowLimit},
                {"high limit", e.highLimit == f.highLimit},    {"whole entry", e == f},
            };
            for (const auto& [field, same] : fields) {
                if (!same) {
                    return Where(e) + field + " differs: '" + e.defaultValue + "' / '" + f.defaultValue +
                           "', '" + e.name + "' / '" + f.name + "'";
                }
            }
        }
    }
    return "";
}
