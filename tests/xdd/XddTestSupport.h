#pragma once

#include <string>

#include "EdsTestSupport.h"
#include "xdd/CXddScan.h"

// One XDD import into fresh records (those of an EDS import run); the bytes are written to a temporary
// folder first.
struct XddRun : ImportRun {
    XddImportResult Read(const std::string& bytes, const std::string& name = "device.xdd");
    XddImportResult ReadPath(const std::string& filePath);
    const SubindexEntry* Entry(unsigned index, unsigned subindex) const;
};

// A small XDD: `deviceBody` goes into the device profile's ProfileBody, `objects` into the
// CANopenObjectList. The elements are in the default namespace of CiA 311 v1.1.
std::string XddText(const std::string& objects, const std::string& deviceBody = "");

// The first difference of two dictionaries, naming the entry and the field (empty when none).
std::string EntryByEntryDifference(const ObjectDictionary& a, const ObjectDictionary& b);
