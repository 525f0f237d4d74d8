#include "document/ContentEncoding.h"

#include "platform/ParallelWork.h"

namespace {

// Below this many entries, the texts are scanned in one thread.
constexpr std::size_t ParallelMinimumEntries = 4096;

}  // namespace

TextEncoding ContentTextEncoding(const ObjectDictionary& dictionary, const FileInfoSection& fileInfo,
                                 const DeviceInfoSection& deviceInfo) {
    TextEncodingScan scan;
    for (const std::string* text :
         {&fileInfo.FileName, &fileInfo.EDSVersion, &fileInfo.Description, &fileInfo.CreationTime,
          &fileInfo.CreationDate, &fileInfo.CreatedBy, &fileInfo.ModificationTime, &fileInfo.ModificationDate,
          &fileInfo.ModifiedBy, &deviceInfo.VendorName, &deviceInfo.ProductName, &deviceInfo.OrderCode}) {
        scan.Add(*text);
    }
    for (const CommentLine& line : dictionary.CommentLines()) {
        scan.Add(line.text);
    }
    // Texts are handed over as they are met: a list of them would take megabytes on a large device. A
    // large dictionary is scanned in two halves at once.
    const auto scanIndices = [&dictionary](TextEncodingScan& into, std::uint16_t from, std::uint16_t to) {
        for (std::uint16_t position = from; position < to && !into.Settled(); ++position) {
            for (const auto& entry : dictionary.GetIndexAt(position)->subindices) {
                for (const std::string* text :
                     {&entry->name, &entry->defaultValue, &entry->lowLimit, &entry->highLimit}) {
                    into.Add(*text);
                }
            }
        }
    };
    const std::uint16_t count = dictionary.GetIndexCount();
    std::size_t entries = 0;
    for (std::uint16_t position = 0; position < count; ++position) {
        entries += dictionary.GetIndexAt(position)->subindices.size();
    }
    if (!ParallelWork::Worth(entries, ParallelMinimumEntries) || count < 2) {
        scanIndices(scan, 0, count);
        return scan.Result();
    }
    const auto middle = static_cast<std::uint16_t>(count / 2);
    TextEncodingScan second;
    ParallelWork::RunBoth([&] { scanIndices(scan, 0, middle); }, [&] { scanIndices(second, middle, count); });
    scan.Merge(second);
    return scan.Result();
}
