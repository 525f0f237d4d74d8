#pragma once

#include <span>
#include <string>

#include "eds/EdsSections.h"
#include "platform/Platform.h"
#include "ui/dialogs/SectionFields.h"

// The fields of the FileInfo dialog, in reading order.
std::span<const SectionField<FileInfoSection>> FileInfoFields();

// What the Date button writes: month, day and year, "07-04-2004".
std::string DateText(const LocalTime& time);
// What the Time button writes: the 12-hour time, "12:07AM" just after midnight, "12:05PM" just after
// noon, "01:05PM" an hour later.
std::string TimeText(const LocalTime& time);
