#include "HtmlStructure.h"

#include <set>
#include <vector>

namespace {

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

class Reader {
public:
    explicit Reader(const std::string& page) : m_page(page) {}

    std::string Problem() {
        const std::string doctype = "<!DOCTYPE html>\n";
        if (m_page.compare(0, doctype.size(), doctype) != 0) {
            return "no <!DOCTYPE html> at the start";
        }
        m_at = doctype.size();
        while (m_at < m_page.size() && m_problem.empty()) {
            const char c = m_page[m_at];
            if (c == '<') {
                Tag();
            } else if (c == '&') {
                Entity();
            } else if (c == '>') {
                Fail("a '>' in text");
            } else {
                ++m_at;
            }
        }
        if (m_problem.empty() && !m_open.empty()) {
            Fail("<" + m_open.back() + "> is never closed");
        }
        for (const std::string& link : m_links) {
            if (m_problem.empty() && m_ids.count(link) == 0) {
                Fail("a link to #" + link + ", which no element has");
            }
        }
        return m_problem;
    }

private:
    void Fail(const std::string& what) {
        if (m_problem.empty()) {
            m_problem = what + " (byte " + std::to_string(m_at) + ")";
        }
    }

    std::string Name() {
        const std::size_t start = m_at;
        while (m_at < m_page.size() && IsNameChar(m_page[m_at])) {
            ++m_at;
        }
        return m_page.substr(start, m_at - start);
    }

    void Entity() {
        std::size_t end = m_at + 1;
        if (end < m_page.size() && m_page[end] == '#') {
            ++end;
        }
        const std::size_t first = end;
        while (end < m_page.size() && IsNameChar(m_page[end])) {
            ++end;
        }
        if (end == first || end >= m_page.size() || m_page[end] != ';') {
            Fail("a '&' that starts no entity");
            return;
        }
        m_at = end + 1;
    }

    void Tag() {
        ++m_at;
        const bool closing = m_at < m_page.size() && m_page[m_at] == '/';
        m_at += closing ? 1 : 0;
        const std::string name = Name();
        static const std::set<std::string> outside{"script", "img",   "link",   "iframe", "object", "embed",
                                                   "video",  "audio", "source", "base",   "form"};
        if (name.empty() || outside.count(name) != 0) {
            Fail("the element <" + name + ">");
            return;
        }
        if (closing) {
            if (m_open.empty() || m_open.back() != name || m_at >= m_page.size() || m_page[m_at] != '>') {
                Fail("</" + name + "> does not close the open element");
                return;
            }
            m_open.pop_back();
            ++m_at;
            return;
        }
        Attributes();
        if (!m_problem.empty()) {
            return;
        }
        if (name == "style") {
            const std::size_t end = m_page.find("</style>", m_at);
            const std::string css = m_page.substr(m_at, end - m_at);
            if (end == std::string::npos || css.find("url(") != std::string::npos ||
                css.find("@import") != std::string::npos || css.find("@font-face") != std::string::npos) {
                Fail("a style sheet that is unclosed or loads from elsewhere");
                return;
            }
            m_at = end + 8;
        } else if (name != "meta" && name != "br") {
            m_open.push_back(name);
        }
    }

    void Attributes() {
        while (m_at < m_page.size() && m_page[m_at] == ' ') {
            ++m_at;
            const std::string name = Name();
            if (name.empty() || name == "src" || name.rfind("on", 0) == 0 ||
                m_page.compare(m_at, 2, "=\"") != 0) {
                Fail("an attribute '" + name + "' that is not a quoted value");
                return;
            }
            m_at += 2;
            const std::size_t end = m_page.find('"', m_at);
            const std::string value = m_page.substr(m_at, end - m_at);
            if (end == std::string::npos || value.find('<') != std::string::npos) {
                Fail("an unclosed attribute value");
                return;
            }
            if (name == "id" && !m_ids.insert(value).second) {
                Fail("the id " + value + " twice");
                return;
            }
            if (name == "href") {
                if (value.empty() || value[0] != '#') {
                    Fail("a link out of the page: " + value);
                    return;
                }
                m_links.push_back(value.substr(1));
            }
            m_at = end + 1;
        }
        if (m_at >= m_page.size() || m_page[m_at] != '>') {
            Fail("a tag that does not end in '>'");
            return;
        }
        ++m_at;
    }

    const std::string& m_page;
    std::size_t m_at = 0;
    std::vector<std::string> m_open;
    std::set<std::string> m_ids;
    std::vector<std::string> m_links;
    std::string m_problem;
};

}  // namespace

std::string HtmlProblem(const std::string& page) {
    return Reader(page).Problem();
}
