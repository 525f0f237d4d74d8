#pragma once

#include <cstdint>
#include <vector>

#include "eds/EdsSections.h"
#include "model/CommentLine.h"
#include "model/IndexEntry.h"

// The update hints the document sends to its views. The low word says what to show, the high word
// qualifies it.
namespace Hint {
constexpr std::uint32_t Reset = 0x0000A500;
constexpr std::uint32_t ShowIndexZero = 0x0000A501;
constexpr std::uint32_t ShowIndex = 0x0000A502;
constexpr std::uint32_t ShowStructuredHeader = 0xA50BA503;
constexpr std::uint32_t ShowSingleEntry = 0xA50CA503;
constexpr std::uint32_t ShowSubindex = 0xA50DA503;
constexpr std::uint32_t ShowDeviceInfo = 0x0000A504;
constexpr std::uint32_t ShowFileInfo = 0x0000A505;
constexpr std::uint32_t ShowDummyUsage = 0x0000A506;
constexpr std::uint32_t ShowComments = 0x0000A507;
constexpr std::uint32_t HeaderEdited = 0xA509A508;
constexpr std::uint32_t SubindexEdited = 0xA50AA508;
constexpr std::uint32_t SubindicesDropped = 0xA50E0000;

constexpr std::uint16_t Low(std::uint32_t hint) {
    return static_cast<std::uint16_t>(hint & 0xFFFFu);
}
constexpr std::uint16_t High(std::uint32_t hint) {
    return static_cast<std::uint16_t>(hint >> 16);
}
}  // namespace Hint

// The optional object sent with a hint; at most one member is set, according to the hint.
struct HintObject {
    IndexEntry* index = nullptr;
    SubindexEntry* entry = nullptr;
    DeviceInfoSection* deviceInfo = nullptr;
    FileInfoSection* fileInfo = nullptr;
    std::vector<CommentLine>* comments = nullptr;
};

// A view registered with the document. Every hint reaches every registered view synchronously,
// before the sending operation goes on.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    virtual void OnUpdate(std::uint32_t hint, const HintObject& object) = 0;
    // The title, the path name or the modified flag changed (the window caption shows them).
    virtual void OnDocumentStateChanged() {}
    // An edit changed the dictionary or a section record; sent after every edit, also when the
    // document was already modified. New, Open and Import send the Reset hint instead.
    virtual void OnContentChanged() {}
};
