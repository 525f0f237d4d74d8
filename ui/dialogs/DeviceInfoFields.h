#pragma once

#include <span>

#include "eds/EdsSections.h"
#include "ui/dialogs/SectionFields.h"

// The edit boxes and check boxes of the DeviceInfo dialog, in reading order. The Master/Slave pair is
// not among them: it sets two members at once.
std::span<const SectionField<DeviceInfoSection>> DeviceInfoFields();

// The radio pair shows "Master" only when SimpleBootUpMaster is 1.
bool ShowsMaster(const DeviceInfoSection& section);
// "Master" and "Slave" exclude each other: the chosen one becomes 1, the other 0.
void StoreBootUp(DeviceInfoSection& section, bool master);
