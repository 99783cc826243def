// Helpers for the window system's tests: an in-memory DLGTEMPLATEEX and a scripted desktop user.
#pragma once

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "commctrl.h"
#include "windows.h"
#include "win32host/Desktop.h"

// Items "prefix0", "prefix1", ... appended at the tree's root, in that order.
inline std::vector<HTREEITEM> InsertRootItems(HWND tree, int count, const std::wstring& prefix)
{
    std::vector<HTREEITEM> items;
    for (int i = 0; i < count; ++i) {
        std::wstring text = prefix + std::to_wstring(i);
        TVINSERTSTRUCTW is{};
        is.hParent = TVI_ROOT;
        is.hInsertAfter = TVI_LAST;
        is.item.mask = TVIF_TEXT;
        is.item.pszText = &text[0];
        items.push_back(TreeView_InsertItem(tree, &is));
    }
    return items;
}

// A program registers the tree view class before it makes a tree, as comctl32 requires.
inline void RegisterTreeViewClass()
{
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&init);
}

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
        for (wchar_t c : text)
            Word(static_cast<WORD>(c));
        Word(0);
    }

    std::vector<BYTE> m_bytes;
    size_t m_countOffset = 0;
};

// A user whose answers a test writes down beforehand; unset answers behave as the default user.
struct ScriptedUser : win32host::DefaultDesktopUser {
    std::function<int(HWND, const std::wstring&, const std::wstring&, UINT)> messageBox;
    std::function<std::optional<std::wstring>(HWND, const std::wstring&)> folder;
    std::function<void(HWND)> dialog;
    std::vector<std::wstring> opened;

    int OnMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override
    {
        return messageBox ? messageBox(owner, text, caption, type)
                          : DefaultDesktopUser::OnMessageBox(owner, text, caption, type);
    }
    std::optional<std::wstring> OnBrowseForFolder(HWND owner, const std::wstring& title) override
    {
        return folder ? folder(owner, title) : DefaultDesktopUser::OnBrowseForFolder(owner, title);
    }
    void OnModalDialog(HWND hwnd) override
    {
        if (dialog)
            dialog(hwnd);
    }
    void OnShellExecute(const std::wstring& verb, const std::wstring& file) override { opened.push_back(verb + L" " + file); }
};
