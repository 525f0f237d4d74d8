#pragma once

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "ScriptedIndexDialog.h"
#include "document/CQuillmarkDoc.h"
#include "model/NameTables.h"
#include "platform/IndexDialog.h"

// What the scripted index dialog answers for a VAR index, a RECORD index and a subindex.
inline IndexDialogValues VarIndex(std::uint16_t index, const std::string& name) {
    IndexDialogValues v;
    v.index = index;
    v.designator = name;
    v.callback = "NULL";
    v.category = "manufacturer";
    v.storage = "RAM";
    v.objectType = ObjectCode::Var;
    v.dataType = DataTypeCode::Uint32;
    v.accessType = "rw";
    v.pdoMapping = 1;
    v.defaultValue = "0x10";
    v.lowLimit = "0x0";
    v.highLimit = "0xFF";
    v.nonVolatile = 1;
    return v;
}

inline IndexDialogValues RecordIndex(std::uint16_t index, const std::string& name) {
    IndexDialogValues v = VarIndex(index, name);
    v.objectType = ObjectCode::Record;
    v.dataType = 0;
    v.accessType.clear();
    v.defaultValue.clear();
    v.nonVolatile = 0;
    return v;
}

inline IndexDialogValues Subindex(std::uint16_t subindex, const std::string& name) {
    IndexDialogValues v = VarIndex(0, name);
    v.subindex = subindex;
    v.dataType = DataTypeCode::Uint8;
    return v;
}

// Adds 0x2000 VAR "Speed" and 0x2100 RECORD "Table" with the subindices 0x00..0x02 through the
// document's own operations.
inline void AddSampleIndices(CQuillmarkDoc& doc, ScriptedDialogFactory& dialogs) {
    std::string label;
    dialogs.QueueOk(VarIndex(0x2000, "Speed"));
    EXPECT_EQ(doc.AddIndex(label), DocResult::Done);
    dialogs.QueueOk(RecordIndex(0x2100, "Table"));
    EXPECT_EQ(doc.AddIndex(label), DocResult::Done);
    for (std::uint16_t s = 0; s < 3; ++s) {
        dialogs.QueueOk(Subindex(s, "Item"));
        EXPECT_EQ(doc.AddSubindex(0x2100, label), DocResult::Done);
    }
}
