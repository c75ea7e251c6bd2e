#include "tests/chart/xml_reader.h"
#include <cstdint>
#include <stdexcept>

namespace {

class Reader {
public:
    explicit Reader(const std::string& s) : m_s(s) {}

    std::unique_ptr<XmlNode> Document() {
        Skip();
        if (Ahead("<?xml")) {
            const size_t end = m_s.find("?>", m_pos);
            if (end == std::string::npos)
                Fail("unterminated declaration");
            m_pos = end + 2;
        }
        Skip();
        auto root = Element();
        Skip();
        if (m_pos != m_s.size())
            Fail("content after the root element");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& what) {
        throw std::runtime_error(what + " at byte " + std::to_string(m_pos));
    }
    bool Ahead(const char* text) const { return m_s.compare(m_pos, std::char_traits<char>::length(text), text) == 0; }
    void Skip() {
        while (m_pos < m_s.size() &&
               (m_s[m_pos] == ' ' || m_s[m_pos] == '\n' || m_s[m_pos] == '\r' || m_s[m_pos] == '\t'))
            ++m_pos;
    }
    static bool NameChar(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
               c == ':' || c == '.';
    }
    std::string Name() {
        const size_t start = m_pos;
        while (m_pos < m_s.size() && NameChar(m_s[m_pos]))
            ++m_pos;
        if (m_pos == start)
            Fail("name expected");
        return m_s.substr(start, m_pos - start);
    }
    static void Utf8(uint32_t c, std::string& out) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    // Text up to `stop`, references resolved; '<' and a bare '&' are errors.
    std::string Chars(char stop) {
        std::string out;
        while (m_pos < m_s.size() && m_s[m_pos] != stop) {
            const char c = m_s[m_pos];
            if (c == '<' && stop != '<')
                Fail("'<' in a value");
            if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\r' && c != '\t')
                Fail("control character");
            if (c != '&') {
                out += c;
                ++m_pos;
                continue;
            }
            const size_t end = m_s.find(';', m_pos);
            if (end == std::string::npos || end - m_pos > 10)
                Fail("bad reference");
            const std::string ref = m_s.substr(m_pos + 1, end - m_pos - 1);
            m_pos = end + 1;
            if (ref == "amp")
                out += '&';
            else if (ref == "lt")
                out += '<';
            else if (ref == "gt")
                out += '>';
            else if (ref == "quot")
                out += '"';
            else if (ref == "apos")
                out += '\'';
            else if (ref.size() > 1 && ref[0] == '#')
                Utf8(static_cast<uint32_t>(ref[1] == 'x' ? std::stoul(ref.substr(2), nullptr, 16)
                                                         : std::stoul(ref.substr(1))),
                     out);
            else
                Fail("unknown entity " + ref);
        }
        return out;
    }
    std::unique_ptr<XmlNode> Element() {
        if (!Ahead("<"))
            Fail("element expected");
        ++m_pos;
        auto node = std::make_unique<XmlNode>();
        node->name = Name();
        for (;;) {
            const size_t before = m_pos;
            Skip();
            if (Ahead("/>")) {
                m_pos += 2;
                return node;
            }
            if (Ahead(">")) {
                ++m_pos;
                break;
            }
            if (m_pos == before)
                Fail("space expected before an attribute");
            const std::string key = Name();
            Skip();
            if (!Ahead("="))
                Fail("'=' expected");
            ++m_pos;
            Skip();
            if (!Ahead("\""))
                Fail("quoted value expected");
            ++m_pos;
            std::string value = Chars('"');
            if (m_pos >= m_s.size())
                Fail("unterminated value");
            ++m_pos;
            if (!node->attributes.emplace(key, std::move(value)).second)
                Fail("attribute " + key + " twice");
        }
        for (;;) {
            node->text += Chars('<');
            if (m_pos >= m_s.size())
                Fail("unterminated element " + node->name);
            if (Ahead("</")) {
                m_pos += 2;
                if (Name() != node->name)
                    Fail("mismatched end tag for " + node->name);
                Skip();
                if (!Ahead(">"))
                    Fail("'>' expected");
                ++m_pos;
                return node;
            }
            node->children.push_back(Element());
        }
    }

    const std::string& m_s;
    size_t m_pos = 0;
};

void Collect(const XmlNode& node, const std::string& name, const std::string& cls, std::vector<const XmlNode*>& out) {
    for (const auto& child : node.children) {
        if (child->name == name && (cls.empty() || child->Attr("class") == cls))
            out.push_back(child.get());
        Collect(*child, name, cls, out);
    }
}

}  // namespace

std::vector<const XmlNode*> XmlNode::FindAll(const std::string& name, const std::string& cls) const {
    std::vector<const XmlNode*> out;
    Collect(*this, name, cls, out);
    return out;
}

std::unique_ptr<XmlNode> ParseXml(const std::string& text, std::string& error) {
    try {
        return Reader(text).Document();
    } catch (const std::exception& e) {
        error = e.what();
        return nullptr;
    }
}
