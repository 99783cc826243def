// Bounds-checked little-endian reading of resource bytes, and UTF-16 text to wchar_t.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <utf/Utf.h>

namespace win32resources {

class ResourceReader {
public:
    ResourceReader(const void* data, std::size_t size) : m_data(static_cast<const std::uint8_t*>(data)), m_size(data ? size : 0) {}

    bool Ok() const { return m_ok; }
    std::size_t Offset() const { return m_offset; }
    std::size_t Remaining() const { return m_ok ? m_size - m_offset : 0; }

    std::uint8_t Byte() { return Take(1) ? m_data[m_offset - 1] : 0; }
    std::uint16_t Word()
    {
        if (!Take(2))
            return 0;
        return static_cast<std::uint16_t>(m_data[m_offset - 2] | (m_data[m_offset - 1] << 8));
    }
    std::uint32_t Dword()
    {
        std::uint32_t low = Word();
        return low | (static_cast<std::uint32_t>(Word()) << 16);
    }
    // A zero-terminated UTF-16 string.
    std::wstring String()
    {
        std::u16string units;
        while (m_ok) {
            std::uint16_t c = Word();
            if (c == 0)
                break;
            units.push_back(static_cast<char16_t>(c));
        }
        return ToWide(units);
    }
    bool Bytes(std::size_t count, const std::uint8_t*& at)
    {
        at = m_data + m_offset;
        return Take(count);
    }
    void AlignTo4()
    {
        std::size_t pad = (4 - m_offset % 4) % 4;
        // The last item may end without its padding.
        if (m_offset + pad <= m_size)
            m_offset += pad;
        else
            m_offset = m_size;
    }

    static std::wstring ToWide(const std::u16string& units)
    {
        std::wstring out;
        utf::DecodeUtf16(units, out);
        return out;
    }

private:
    bool Take(std::size_t count)
    {
        if (!m_ok || count > m_size - m_offset) {
            m_ok = false;
            return false;
        }
        m_offset += count;
        return true;
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_offset = 0;
    bool m_ok = true;
};

} // namespace win32resources
