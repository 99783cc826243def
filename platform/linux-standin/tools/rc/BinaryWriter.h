// Little-endian output of the WORD/DWORD structures that resource formats are made of.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vizrc {

class BinaryWriter {
public:
    void Byte(std::uint8_t v) { m_bytes.push_back(v); }
    void Word(std::uint16_t v)
    {
        Byte(static_cast<std::uint8_t>(v));
        Byte(static_cast<std::uint8_t>(v >> 8));
    }
    void Dword(std::uint32_t v)
    {
        Word(static_cast<std::uint16_t>(v));
        Word(static_cast<std::uint16_t>(v >> 16));
    }
    // UTF-16 code units, then a terminating zero unit when asked.
    void Utf16(const std::u16string& text, bool terminate)
    {
        for (char16_t c : text)
            Word(static_cast<std::uint16_t>(c));
        if (terminate)
            Word(0);
    }
    void Bytes(const std::vector<std::uint8_t>& bytes) { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }
    void AlignTo4()
    {
        while (m_bytes.size() % 4)
            Byte(0);
    }
    // Overwrites a WORD written earlier (a length known only afterwards).
    void PatchWord(size_t offset, std::uint16_t v)
    {
        m_bytes[offset] = static_cast<std::uint8_t>(v);
        m_bytes[offset + 1] = static_cast<std::uint8_t>(v >> 8);
    }

    size_t Size() const { return m_bytes.size(); }
    const std::vector<std::uint8_t>& Data() const { return m_bytes; }
    std::vector<std::uint8_t> Take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

} // namespace vizrc
