#include "DialogActions.h"

#include <commctrl.h>

#include <map>
#include <vector>

#include <winenv/Desktop.h>
#include <winenv/Trace.h>

#include "ScriptedUser.h"

namespace plmclient {
namespace {

std::wstring WindowText(HWND hwnd)
{
    wchar_t buffer[512] = {};
    GetWindowTextW(hwnd, buffer, 512);
    std::wstring text;
    for (const wchar_t* p = buffer; *p; ++p)
        if (*p != L'&') // mnemonic markers are not part of what a person reads
            text += *p;
    return text;
}

std::wstring ClassOf(HWND hwnd)
{
    wchar_t buffer[256] = {};
    GetClassNameW(hwnd, buffer, 256);
    return buffer;
}

std::vector<HWND> Children(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

HWND FindControlByText(HWND dialog, const std::wstring& text)
{
    static const std::map<std::wstring, std::wstring> aliases = {
        {L"Print", L"打印"}, {L"Download", L"下载"}, {L"Cancel", L"取消"}, {L"OK", L"确定"}};
    std::wstring wanted = text;
    if (const auto it = aliases.find(text); it != aliases.end())
        wanted = it->second;
    for (HWND child : Children(dialog))
        if (WindowText(child) == wanted || WindowText(child) == text)
            return child;
    return nullptr;
}

HWND FindTree(HWND dialog)
{
    for (HWND child : Children(dialog))
        if (_wcsicmp(ClassOf(child).c_str(), WC_TREEVIEWW) == 0)
            return child;
    return nullptr;
}

std::wstring ItemText(HWND tree, HTREEITEM item)
{
    wchar_t buffer[1024] = {};
    TVITEMW tvi = {};
    tvi.mask = TVIF_TEXT | TVIF_HANDLE;
    tvi.hItem = item;
    tvi.pszText = buffer;
    tvi.cchTextMax = 1024;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi));
    return buffer;
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT code)
{
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

void CollectInOrder(HWND tree, HTREEITEM first, std::vector<HTREEITEM>& out)
{
    for (HTREEITEM item = first; item; item = Next(tree, item, TVGN_NEXT)) {
        out.push_back(item);
        CollectInOrder(tree, Next(tree, item, TVGN_CHILD), out);
    }
}

std::vector<std::wstring> SplitPath(const std::wstring& spec)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (size_t pos; (pos = spec.find(L" / ", start)) != std::wstring::npos; start = pos + 3)
        parts.push_back(spec.substr(start, pos - start));
    parts.push_back(spec.substr(start));
    return parts;
}

// The labels from the root down to the item.
std::vector<std::wstring> PathOf(HWND tree, HTREEITEM item)
{
    std::vector<std::wstring> path;
    for (; item; item = Next(tree, item, TVGN_PARENT))
        path.insert(path.begin(), ItemText(tree, item));
    return path;
}

// A person opens the branches above an item before clicking it.
void MakeVisible(HWND tree, HTREEITEM item)
{
    std::vector<HTREEITEM> ancestors;
    for (HTREEITEM p = Next(tree, item, TVGN_PARENT); p; p = Next(tree, p, TVGN_PARENT))
        ancestors.insert(ancestors.begin(), p);
    for (HTREEITEM p : ancestors)
        SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(p));
}

UINT VirtualKey(const std::string& name)
{
    static const std::map<std::string, UINT> keys = {{"space", VK_SPACE}, {"enter", VK_RETURN},
        {"escape", VK_ESCAPE}, {"up", VK_UP}, {"down", VK_DOWN}, {"left", VK_LEFT}, {"right", VK_RIGHT},
        {"plus", VK_ADD}, {"minus", VK_SUBTRACT}, {"tab", VK_TAB}};
    const auto it = keys.find(name);
    return it == keys.end() ? 0 : it->second;
}

} // namespace

HTREEITEM FindTreeItem(HWND tree, const std::wstring& specText)
{
    std::wstring spec = specText;
    int wantedIndex = 1;
    if (const size_t hash = spec.rfind(L'#'); hash != std::wstring::npos && hash + 1 < spec.size()) {
        const std::wstring digits = spec.substr(hash + 1);
        if (digits.find_first_not_of(L"0123456789") == std::wstring::npos) {
            wantedIndex = _wtoi(digits.c_str());
            spec = spec.substr(0, hash);
            while (!spec.empty() && spec.back() == L' ')
                spec.pop_back();
        }
    }
    const std::vector<std::wstring> wanted = SplitPath(spec);
    std::vector<HTREEITEM> items;
    CollectInOrder(tree, Next(tree, nullptr, TVGN_ROOT), items);
    int seen = 0;
    for (HTREEITEM item : items) {
        const std::vector<std::wstring> path = PathOf(tree, item);
        const bool match = wanted.size() == 1 ? path.back() == wanted[0] : path == wanted;
        if (match && ++seen == wantedIndex)
            return item;
    }
    return nullptr;
}

bool RunDialogAction(HWND dialog, const ScriptAction& a, std::string& error)
{
    const std::wstring arg = a.args.empty() ? std::wstring() : winenv::FromUtf8(a.args[0]);
    const std::string& v = a.verb;
    if (v == "check" || v == "click" || v == "toggle" || v == "dblclick" || v == "expand" || v == "collapse") {
        HWND tree = FindTree(dialog);
        if (!tree) {
            error = "the dialog has no tree";
            return false;
        }
        if ((v == "expand" || v == "collapse") && arg == L"*") {
            std::vector<HTREEITEM> all;
            CollectInOrder(tree, Next(tree, nullptr, TVGN_ROOT), all);
            for (HTREEITEM each : all)
                SendMessageW(tree, TVM_EXPAND, v == "expand" ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(each));
            return true;
        }
        HTREEITEM item = FindTreeItem(tree, arg);
        if (!item) {
            error = "no tree item \"" + a.args[0] + "\"";
            return false;
        }
        MakeVisible(tree, item);
        bool done = false;
        if (v == "check")
            done = winenv::ClickTreeItemCheckBox(tree, item);
        else if (v == "click")
            done = winenv::ClickTreeItemLabel(tree, item);
        else if (v == "dblclick")
            done = winenv::DoubleClickTreeItemLabel(tree, item);
        else if (v == "toggle") {
            SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
            SetFocus(tree);
            done = winenv::PressKey(VK_SPACE);
        } else {
            SendMessageW(tree, TVM_EXPAND, v == "expand" ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(item));
            done = true;
        }
        if (!done)
            error = "the item \"" + a.args[0] + "\" could not be reached";
        return done;
    }
    if (v == "filter" || v == "press") {
        HWND control = FindControlByText(dialog, arg);
        if (!control) {
            error = "no control \"" + a.args[0] + "\" in the dialog";
            return false;
        }
        if (!winenv::ClickWindow(control)) {
            error = "the control \"" + a.args[0] + "\" cannot be clicked";
            return false;
        }
        return true;
    }
    if (v == "key") {
        const UINT vk = VirtualKey(a.args[0]);
        if (!vk) {
            error = "unknown key " + a.args[0];
            return false;
        }
        return winenv::PressKey(vk);
    }
    if (v == "resize") {
        const int w = std::stoi(a.args[0]), h = std::stoi(a.args[1]);
        if (!winenv::ResizeWindow(dialog, w, h)) {
            error = "the dialog cannot be resized";
            return false;
        }
        return true;
    }
    if (v == "snapshot")
        return SaveDialogSnapshot(dialog, a.args[0], error);
    if (v == "close")
        return winenv::CloseWindowByUser(dialog);
    error = "\"" + v + "\" is not an action on a dialog";
    return false;
}

void ScriptedUser::OnModalDialog(HWND dialog)
{
    while (!m_actions.empty() && IsDialogAction(m_actions.front().verb)) {
        if (!IsWindow(dialog) || !IsWindowVisible(dialog))
            return; // ended by the last action
        const ScriptAction a = m_actions.front();
        m_actions.pop_front();
        std::string error;
        if (!RunDialogAction(dialog, a, error)) {
            m_errors.push_back("script line " + std::to_string(a.line) + ": " + error);
            winenv::Trace("script_error", {{"line", std::to_string(a.line)}, {"error", error}});
        }
    }
}

} // namespace plmclient
