#pragma once

#include <vector>

struct FileInfoSection;
struct DeviceInfoSection;
struct DummyUsageSection;
struct CommentLine;

// A dialog that edits one of the EDS sections, as the document sees it. The dialog works on a copy:
// the document loads it from the record, runs it and, only after OK, lets it store its values back.
// The Qt dialogs implement it in the GUI; tests use scripted doubles.
template <class Record>
class SectionDialog {
public:
    virtual ~SectionDialog() = default;

    virtual void Load(const Record& record) = 0;
    // Modal; true when the user closed the dialog with OK.
    virtual bool Run() = 0;
    // Valid after Run returned true; writes only what the dialog edits.
    virtual void Store(Record& record) const = 0;
};

using FileInfoDialog = SectionDialog<FileInfoSection>;
using DeviceInfoDialog = SectionDialog<DeviceInfoSection>;
using DummyUsageDialog = SectionDialog<DummyUsageSection>;
// Edits the comment lines of the dictionary; its Store replaces the whole list.
using CommentsDialog = SectionDialog<std::vector<CommentLine>>;
