#include "document/ContentEncoding.h"

#include <string_view>
#include <vector>

TextEncoding ContentTextEncoding(const ObjectDictionary& dictionary, const FileInfoSection& fileInfo,
                                 const DeviceInfoSection& deviceInfo) {
    std::vector<std::string_view> texts = {
        fileInfo.FileName,     fileInfo.EDSVersion,   fileInfo.Description,      fileInfo.CreationTime,
        fileInfo.CreationDate, fileInfo.CreatedBy,    fileInfo.ModificationTime, fileInfo.ModificationDate,
        fileInfo.ModifiedBy,   deviceInfo.VendorName, deviceInfo.ProductName,    deviceInfo.OrderCode,
    };
    for (const CommentLine& line : dictionary.CommentLines()) {
        texts.push_back(line.text);
    }
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        for (const auto& entry : dictionary.GetIndexAt(position)->subindices) {
            texts.insert(texts.end(), {entry->name, entry->defaultValue, entry->lowLimit, entry->highLimit});
        }
    }
    return ChooseTextEncoding(texts);
}
