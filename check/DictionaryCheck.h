#pragma once

#include <vector>

#include "check/Finding.h"

class ObjectDictionary;
struct DeviceInfoSection;
struct ImportReport;

// Checks a dictionary for the mistakes that otherwise surface on the bus or when the generated sources
// fail to compile: PDO mappings, COB-IDs, values and limits, C names, the objects a device must have.
// The DeviceInfo section supplies the DummyUsage table. The content is only read, never changed.
// With the report of the import the dictionary came from, the check reports the file as written: what
// the import left out, absent values as absent, and the line of each finding.
// The findings come sorted (see SortFindings).
std::vector<Finding> CheckDictionary(const ObjectDictionary& dictionary, const DeviceInfoSection& deviceInfo,
                                     const ImportReport* report = nullptr);
