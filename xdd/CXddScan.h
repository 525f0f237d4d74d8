#pragma once

#include <cstdint>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "eds/EdsSections.h"
#include "platform/ResultCodes.h"

struct IndexEntry;
struct SubindexEntry;
class ObjectDictionary;
class Platform;

// The XDD reader answers with the import's codes: Success and the codes it shares with the EDS import
// mean the same and show the same messages; Refused follows a message of the reader's own (a file that
// is no XML, has another root element or holds no object list), so the command layer shows nothing more.
// It uses Success, CannotOpen, Refused and OutOfMemory.
using XddImportResult = EdsImportResult;

// Reads one CiA 311 device description (XDD, or the XDC of a configured device) into a dictionary and
// the section records, the same model the EDS import fills. It never owns what it fills. The objects
// come from the communication network profile's CANopenObjectList; where an object has no data type,
// access, default or limit of its own, the ApplicationProcess parameter it refers to (uniqueIDRef)
// gives it. An XDC's actualValue is read as the default only where no defaultValue exists.
class CXddScan {
public:
    CXddScan(const std::string& path, ObjectDictionary& dictionary, FileInfoSection& fileInfo,
             DeviceInfoSection& deviceInfo, Platform& platform);
    CXddScan(const CXddScan&) = delete;
    CXddScan& operator=(const CXddScan&) = delete;

    // Reads the file at the path; one of the XddImportResult codes.
    XddImportResult ReadFile();
    // Reads the file's bytes, already loaded.
    XddImportResult ReadBytes(std::string_view bytes);

private:
    XddImportResult ReadDocument(const pugi::xml_node& root);
    void IndexParameters(const pugi::xml_node& root);
    void ReadFileInfo(const pugi::xml_node& root);
    void ReadDeviceIdentity(const pugi::xml_node& identity);
    void ReadCharacteristics(const pugi::xml_node& root);
    void ReadNetworkFeatures(const pugi::xml_node& body);
    void ReadDummyUsage(const pugi::xml_node& dummyUsage);
    void ReadObjectList(const pugi::xml_node& list);
    void ReadObject(const pugi::xml_node& object);
    // Fills the entry's data type, access, mapping, default and limits; false (after the warning) for a
    // data type the model does not keep.
    bool ReadValues(SubindexEntry& entry, const pugi::xml_node& object);
    // The ApplicationProcess parameter the object refers to; an empty node when there is none.
    pugi::xml_node ParameterOf(const pugi::xml_node& object) const;
    void Refuse(const std::string& reason);

    std::string m_strPath;
    ObjectDictionary& m_dictionary;
    FileInfoSection& m_fileInfo;
    DeviceInfoSection& m_deviceInfo;
    Platform& m_platform;
    // ApplicationProcess parameters by uniqueID; the names point into the parsed document.
    std::unordered_map<std::string_view, pugi::xml_node_struct*> m_parameters;
    // Categories the file names for indices outside DefaultCategory's rule.
    std::unordered_map<std::uint16_t, const char*> m_categories;
    std::vector<bool> m_listed;
};
