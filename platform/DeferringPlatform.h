#pragma once

#include <string>
#include <vector>

#include "platform/ForwardingPlatform.h"

// Keeps the message boxes of work done on another thread, to be shown later, in their order, on the
// thread that owns the user interface. Meanwhile each box is answered as a user who cannot be asked
// would answer it (SafeAnswer); the work that runs this way shows only boxes whose answer changes
// nothing. The other services are passed on.
class DeferringPlatform : public ForwardingPlatform {
public:
    using ForwardingPlatform::ForwardingPlatform;

    MsgResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon, bool withOwner = false) override {
        m_boxes.push_back(Box{text, caption, buttons, icon, withOwner});
        return SafeAnswer(buttons);
    }

    // Shows the kept boxes on the platform passed on to, and forgets them.
    void ShowDeferred() {
        for (const Box& box : m_boxes) {
            Inner().MessageBox(box.text, box.caption, box.buttons, box.icon, box.withOwner);
        }
        m_boxes.clear();
    }

private:
    struct Box {
        std::string text;
        std::string caption;
        MsgButtons buttons;
        MsgIcon icon;
        bool withOwner;
    };
    std::vector<Box> m_boxes;
};
