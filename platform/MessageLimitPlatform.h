#pragma once

#include <string>

#include "platform/ForwardingPlatform.h"

// Passes everything on to another platform, but shows at most `limit` message boxes: the box after
// them is replaced by one information box with the given notice, and every later box is not shown
// and gets its safe answer (Ok, No or Cancel). A limit of 0 shows every box. Keeps one operation that
// meets damaged input from burying the user under thousands of boxes.
class MessageLimitPlatform : public ForwardingPlatform {
public:
    MessageLimitPlatform(Platform& inner, int limit, std::string notice, std::string caption);

    MsgResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon, bool withOwner = false) override;

private:
    int m_limit;
    int m_shown = 0;
    std::string m_notice;
    std::string m_caption;
};
