#pragma once

#include <cstdint>
#include <string>

#include "document/DocumentView.h"

// The fifteen texts of the index parameter form and how the document's hints change them. Fields a
// hint does not name keep their texts, so the form shows what the last show index and show entry
// announced together.
struct IndexParamFields {
    std::string parameterName;
    std::string indexNumber;
    std::string storageArea;
    std::string callbackFunction;
    std::string currentSubindex;
    std::string numberOfSubindices;
    std::string indexCategory;
    std::string objectType;
    std::string dataType;
    std::string accessType;
    std::string pdoMapping;
    std::string defaultValue;
    std::string lowLimit;
    std::string highLimit;
    std::string storeToNvData;

    // Reacts to a document hint; returns whether the hint was one the form handles.
    bool Apply(std::uint32_t hint, const HintObject& object);

    void Clear() { *this = IndexParamFields{}; }
    void ShowIndex(const IndexEntry& index);
    void ShowEntry(const SubindexEntry& entry, std::uint16_t qualifier);
};
