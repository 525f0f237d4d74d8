#include "platform/MessageLimitPlatform.h"

MessageLimitPlatform::MessageLimitPlatform(Platform& inner, int limit, std::string notice,
                                           std::string caption)
    : m_inner(inner), m_limit(limit), m_notice(std::move(notice)), m_caption(std::move(caption)) {}

MsgResult MessageLimitPlatform::MessageBox(const std::string& text, const std::string& caption,
                                           MsgButtons buttons, MsgIcon icon, bool withOwner) {
    if (m_limit <= 0) {
        return m_inner.MessageBox(text, caption, buttons, icon, withOwner);
    }
    if (m_shown < m_limit) {
        ++m_shown;
        return m_inner.MessageBox(text, caption, buttons, icon, withOwner);
    }
    if (m_shown == m_limit) {
        ++m_shown;
        m_inner.MessageBox(m_notice, m_caption, MsgButtons::Ok, MsgIcon::Information, withOwner);
    }
    return SafeAnswer(buttons);
}
