#include "ui/dialogs/FileInfoFields.h"

#include <cstdio>

namespace {

using Field = SectionField<FileInfoSection>;
using S = FileInfoSection;
constexpr auto Text = FieldKind::Text;
constexpr auto Number = FieldKind::Number;

const Field Fields[] = {
    {"File Name", "editFileName", 1156, Text, &S::FileName},
    {"File Version", "editFileVersion", 1158, Number, &S::FileVersion},
    {"File Revision", "editFileRevision", 1157, Number, &S::FileRevision},
    {"Description", "editDescription", 1159, Text, &S::Description, 243},
    {"EDS Version", "editEdsVersion", 1160, Text, &S::EDSVersion, 3},
    {"Created By", "editCreatedBy", 1163, Text, &S::CreatedBy, 245},
    {"Creation Time", "editCreationTime", 1161, Text, &S::CreationTime, 7},
    {"Creation Date", "editCreationDate", 1162, Text, &S::CreationDate, 10},
    {"Modified By", "editModifiedBy", 1164, Text, &S::ModifiedBy, 244},
    {"Modification Time", "editModificationTime", 1165, Text, &S::ModificationTime, 7},
    {"Modification Date", "editModificationDate", 1166, Text, &S::ModificationDate, 10},
};

}  // namespace

std::span<const SectionField<FileInfoSection>> FileInfoFields() {
    return Fields;
}

std::string DateText(const LocalTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", time.month, time.day, time.year);
    return text;
}

std::string TimeText(const LocalTime& time) {
    const int hour = time.hour % 12 == 0 ? 12 : time.hour % 12;
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d%s", hour, time.minute, time.hour < 12 ? "AM" : "PM");
    return text;
}
