#include "platform/MessageLimitPlatform.h"

MessageLimitPlatform::MessageLimitPlatform(Platform& inner, int limit, std::string notice,
                                           std::string caption)
    : ForwardingPlatform(inner), m_limit(limit), m_notice(std::move(notice)), m_caption(std::move(caption)) {}

MsgResult MessageLimitPlatform::MessageBox(const std::string& text, const std::string& caption,
                                           MsgButtons buttons, MsgIcon icon, bool withOwner) {
    if (m_limit <= 0) {
        return Inner().MessageBox(text, caption, buttons, icon, withOwner);
    }
    if (m_shown < m_limit) {
        ++m_shown;
        return Inner().MessageBox(text, caption, buttons, icon, withOwner);
    }
    if (m_shown == m_limit) {
        ++m_shown;
        Inner().MessageBox(m_notice, m_caption, MsgButtons::Ok, MsgIcon::Information, withOwner);
    }
    return SafeAnswer(buttons);
}
