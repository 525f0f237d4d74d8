#include "document/ContentEncoding.h"

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
    // Texts are handed over as they are met: a list of them would take megabytes on a large device.
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount() && !scan.Settled(); ++position) {
        for (const auto& entry : dictionary.GetIndexAt(position)->subindices) {
            for (const std::string* text :
                 {&entry->name, &entry->defaultValue, &entry->lowLimit, &entry->highLimit}) {
                scan.Add(*text);
            }
        }
    }
    return scan.Result();
}
