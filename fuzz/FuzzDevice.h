#pragma once

#include <cstdio>
#include <string>

#include "eds/EdsResult.h"
#include "eds/EdsSections.h"
#include "model/ObjectDictionary.h"

class SilentPlatform;

// What the checks share: a device as a reader left it, and a report line naming a result code.
struct FuzzDevice {
    ObjectDictionary dictionary;
    FileInfoSection fileInfo;
    DeviceInfoSection deviceInfo;
    EdsImportResult result = EdsImportResult::Success;
};

template <typename Result>
std::string Describe(const char* what, Result code) {
    char text[96];
    std::snprintf(text, sizeof text, "%s (result %d)", what, static_cast<int>(code));
    return text;
}

// Generates the sources into memory the way the document does; "" or the broken promise.
std::string ExerciseGenerator(ObjectDictionary& dictionary, SilentPlatform& platform);
