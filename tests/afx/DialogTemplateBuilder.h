// Builds a dialog template in memory in the binary layout of DIALOGEX resources (16-bit text,
// items aligned to 4 bytes), for tests that run dialogs without a resource file.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

class DialogTemplateBuilder {
public:
    DialogTemplateBuilder(DWORD dwStyle, short x, short y, short cx, short cy, const std::wstring& title)
    {
        Word(1);
        Word(0xFFFF);
        Dword(0);       // help id
        Dword(0);       // extended style
        Dword(dwStyle | DS_SETFONT);
        m_cditOffset = m_bytes.size();
        Word(0);
        Short(x);
        Short(y);
        Short(cx);
        Short(cy);
        Word(0); // no menu
        Word(0); // default class
        Text(title);
        Word(8); // point size, weight, italic, charset, typeface
        Word(400);
        m_bytes.push_back(0);
        m_bytes.push_back(1);
        Text(L"MS Shell Dlg");
    }

    // classAtom: 0x0080 button, 0x0082 static; 0 to use className.
    DialogTemplateBuilder& Item(int id, WORD classAtom, const std::wstring& className, const std::wstring& text,
        DWORD dwStyle, short x, short y, short cx, short cy)
    {
        while (m_bytes.size() % 4 != 0)
            m_bytes.push_back(0);
        Dword(0); // help id
        Dword(0); // extended style
        Dword(dwStyle | WS_CHILD);
        Short(x);
        Short(y);
        Short(cx);
        Short(cy);
        Dword(static_cast<DWORD>(id));
        if (classAtom != 0) {
            Word(0xFFFF);
            Word(classAtom);
        } else {
            Text(className);
        }
        Text(text);
        Word(0); // no creation data
        WORD cdit;
        std::memcpy(&cdit, &m_bytes[m_cditOffset], sizeof(cdit));
        ++cdit;
        std::memcpy(&m_bytes[m_cditOffset], &cdit, sizeof(cdit));
        return *this;
    }

    LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_bytes.data()); }

private:
    void Word(WORD w) { Raw(&w, sizeof(w)); }
    void Short(short n) { Raw(&n, sizeof(n)); }
    void Dword(DWORD dw) { Raw(&dw, sizeof(dw)); }
    void Raw(const void* p, size_t n)
    {
        const BYTE* pb = static_cast<const BYTE*>(p);
        m_bytes.insert(m_bytes.end(), pb, pb + n);
    }
    // UTF-16 with terminator.
    void Text(const std::wstring& text)
    {
        for (wchar_t ch : text) {
            if (ch >= 0x10000) {
                Word(static_cast<WORD>(0xD800 + ((ch - 0x10000) >> 10)));
                Word(static_cast<WORD>(0xDC00 + ((ch - 0x10000) & 0x3FF)));
            } else {
                Word(static_cast<WORD>(ch));
            }
        }
        Word(0);
    }

    std::vector<BYTE> m_bytes;
    size_t m_cditOffset = 0;
};
