#include "JsonLines.h"

#include <sstream>

namespace e2e {

namespace {

class Reader {
public:
    explicit Reader(const std::string& text) : m_text(text) {}

    void SkipBlanks()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\r'))
            ++m_pos;
    }
    bool Take(char c)
    {
        SkipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool AtEnd()
    {
        SkipBlanks();
        return m_pos == m_text.size();
    }

    std::optional<std::string> String()
    {
        if (!Take('"'))
            return std::nullopt;
        std::string out;
        while (m_pos < m_text.size()) {
            const unsigned char c = static_cast<unsigned char>(m_text[m_pos++]);
            if (c == '"')
                return out;
            if (c < 0x20)
                return std::nullopt; // control characters must be escaped
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (m_pos >= m_text.size())
                return std::nullopt;
            const char e = m_text[m_pos++];
            switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                unsigned code = 0;
                if (!Hex4(code))
                    return std::nullopt;
                AppendUtf8(code, out);
                break;
            }
            default:
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

private:
    bool Hex4(unsigned& code)
    {
        if (m_text.size() - m_pos < 4)
            return false;
        for (int i = 0; i < 4; ++i) {
            const char h = m_text[m_pos++];
            code <<= 4;
            if (h >= '0' && h <= '9')
                code |= static_cast<unsigned>(h - '0');
            else if (h >= 'a' && h <= 'f')
                code |= static_cast<unsigned>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                code |= static_cast<unsigned>(h - 'A' + 10);
            else
                return false;
        }
        return true;
    }

    static void AppendUtf8(unsigned code, std::string& out)
    {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    const std::string& m_text;
    size_t m_pos = 0;
};

} // namespace

std::optional<JsonObject> ParseJsonObject(const std::string& line)
{
    Reader reader(line);
    JsonObject object;
    if (!reader.Take('{'))
        return std::nullopt;
    if (!reader.Take('}')) {
        do {
            std::optional<std::string> name = reader.String();
            if (!name || !reader.Take(':'))
                return std::nullopt;
            std::optional<std::string> value = reader.String();
            if (!value || object.count(*name))
                return std::nullopt;
            object[*name] = *value;
        } while (reader.Take(','));
        if (!reader.Take('}'))
            return std::nullopt;
    }
    if (!reader.AtEnd())
        return std::nullopt;
    return object;
}

std::vector<JsonObject> ParseJsonLines(const std::string& text, std::vector<int>* bad)
{
    std::vector<JsonObject> objects;
    std::istringstream in(text);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty())
            continue;
        if (std::optional<JsonObject> object = ParseJsonObject(line))
            objects.push_back(*object);
        else if (bad)
            bad->push_back(number);
    }
    return objects;
}

} // namespace e2e
