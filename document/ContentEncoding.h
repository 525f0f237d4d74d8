#pragma once

#include "eds/EdsSections.h"
#include "model/ObjectDictionary.h"
#include "platform/TextEncoding.h"

// The encoding of a project's texts, judged from everything a person reads in it: the entries' names,
// values and limits, the text fields of FileInfo and DeviceInfo, and the comment lines.
TextEncoding ContentTextEncoding(const ObjectDictionary& dictionary, const FileInfoSection& fileInfo,
                                 const DeviceInfoSection& deviceInfo);
