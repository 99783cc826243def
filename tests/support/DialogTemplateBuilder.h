// A dialog template in memory, for tests that run dialogs without a resource file.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>
#include <utf/Utf.h>

// Builds a DLGTEMPLATEEX as the resource compiler lays it out (UTF-16 text, DWORD-aligned items).
class DialogTemplateBuilder {
public:
    DialogTemplateBuilder(DWORD style, short cx, short cy, const std::wstring& title)
    {
        Word(1);
        Word(0xFFFF);
        Dword(0);
        Dword(0);
        Dword(style | DS_SETFONT);
        m_countOffset = m_bytes.size();
        Word(0);
        Word(0);
        Word(0);
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(0); // no menu
        Word(0); // the dialog class
        Text(title);
        Word(8);
        Word(400);
        m_bytes.push_back(0);
        m_bytes.push_back(1);
        Text(L"MS Shell Dlg");
    }

    DialogTemplateBuilder& Control(DWORD id, WORD classAtom, const std::wstring& text, DWORD style, short x, short y,
        short cx, short cy)
    {
        Item(id, style, x, y, cx, cy);
        Word(0xFFFF);
        Word(classAtom);
        Text(text);
        Word(0);
        return *this;
    }

    DialogTemplateBuilder& Control(DWORD id, const std::wstring& className, const std::wstring& text, DWORD style,
        short x, short y, short cx, short cy)
    {
        Item(id, style, x, y, cx, cy);
        Text(className);
        Text(text);
        Word(0);
        return *this;
    }

    LPCDLGTEMPLATEW Get() const { return reinterpret_cast<LPCDLGTEMPLATEW>(m_bytes.data()); }
    const std::vector<BYTE>& Bytes() const { return m_bytes; }

private:
    void Item(DWORD id, DWORD style, short x, short y, short cx, short cy)
    {
        while (m_bytes.size() % 4)
            m_bytes.push_back(0);
        Dword(0);
        Dword(0);
        Dword(style | WS_CHILD);
        Word(static_cast<WORD>(x));
        Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Dword(id);
        WORD count;
        std::memcpy(&count, &m_bytes[m_countOffset], sizeof(count));
        ++count;
        std::memcpy(&m_bytes[m_countOffset], &count, sizeof(count));
    }
    void Word(WORD w)
    {
        m_bytes.push_back(static_cast<BYTE>(w & 0xFF));
        m_bytes.push_back(static_cast<BYTE>(w >> 8));
    }
    void Dword(DWORD d)
    {
        Word(static_cast<WORD>(d & 0xFFFF));
        Word(static_cast<WORD>(d >> 16));
    }
    void Text(const std::wstring& text)
    {
        std::u16string units;
        utf::EncodeUtf16(text, units);
        for (const char16_t unit : units)
            Word(unit);
        Word(0);
    }

    std::vector<BYTE> m_bytes;
    size_t m_countOffset = 0;
};
