#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/SectionDialogs.h"

struct IndexEntry;
struct IndexDialogValues;
struct SubindexEntry;

// The index and subindex dialog as the document sees it. The document creates one per operation,
// sets mode, level and its lookups, fills it from an index and one of its entries, runs it and, after
// OK, reads the values back. The Qt dialog implements it in the GUI; tests use a scripted double.

enum class IndexDialogMode { Add, Edit };
enum class IndexDialogLevel { Index, Subindex };

// What the dialog may ask the document while it runs.
class IndexDialogLookups {
public:
    virtual ~IndexDialogLookups() = default;
    // 1 when the default callback table has a row for the index number.
    virtual int HasDefaultCallback(std::uint16_t indexNumber) = 0;
    // The table's callback name for the index number, or "NULL".
    virtual std::string DefaultCallbackName(std::uint16_t indexNumber) = 0;
    // Asked on OK once the dialog's own checks passed: false when the values clash with the dictionary
    // (a number that exists already), after telling the user; the dialog then stays open.
    virtual bool AcceptValues(const IndexDialogValues& /*values*/) { return true; }
};

// The values the dialog hands back after OK.
struct IndexDialogValues {
    std::uint16_t index = 0;
    std::uint16_t subindex = 0;
    std::string designator;
    std::string callback;
    std::string category;  // "optional", "manufacturer" or "mandatory"
    std::string storage;   // "ROM" or "RAM"
    std::uint8_t objectType = 0;
    std::uint8_t dataType = 0;
    std::string accessType;  // the EDS form, e.g. "rw"
    std::uint8_t pdoMapping = 0;
    std::string defaultValue;
    std::string lowLimit;
    std::string highLimit;
    std::uint32_t nonVolatile = 0;
    // The user agreed to drop every subindex when an index with several entries became a VAR,
    // DEFTYPE or DOMAIN object.
    bool deleteConfirmed = false;
};

class IndexDialog {
public:
    virtual ~IndexDialog() = default;

    virtual void SetMode(IndexDialogMode mode) = 0;
    virtual void SetLevel(IndexDialogLevel level) = 0;
    virtual void SetDocument(IndexDialogLookups* lookups) = 0;
    // The dialog keeps both references only while it runs; the document keeps them alive.
    virtual void Fill(const IndexEntry& index, const SubindexEntry& entry) = 0;
    // Modal; true when the user closed the dialog with OK.
    virtual bool Run() = 0;
    // Valid after Run returned true.
    virtual IndexDialogValues Values() const = 0;
};

// Creates the dialogs the document runs. A null result means the dialog could not be created; the
// document then treats the operation as cancelled (an index edit) or reports it (a section edit).
class DialogFactory {
public:
    virtual ~DialogFactory() = default;
    virtual std::unique_ptr<IndexDialog> CreateIndexDialog() = 0;
    virtual std::unique_ptr<FileInfoDialog> CreateFileInfoDialog() = 0;
    virtual std::unique_ptr<DeviceInfoDialog> CreateDeviceInfoDialog() = 0;
    virtual std::unique_ptr<DummyUsageDialog> CreateDummyUsageDialog() = 0;
    virtual std::unique_ptr<CommentsDialog> CreateCommentsDialog() = 0;
};
