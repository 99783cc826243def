#include "TreeReader.h"

namespace viztest {

namespace {

TVITEMW GetItem(HWND tree, HTREEITEM item, wchar_t* buffer, int size)
{
    TVITEMW tvi = {};
    tvi.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    tvi.hItem = item;
    tvi.pszText = buffer;
    tvi.cchTextMax = size;
    if (buffer && size > 0)
        buffer[0] = L'\0';
    (void)TreeView_GetItem(tree, &tvi);
    return tvi;
}

std::wstring ItemText(HWND tree, HTREEITEM item)
{
    wchar_t buffer[512];
    GetItem(tree, item, buffer, 512);
    return buffer;
}

void Describe(HWND tree, HTREEITEM first, const wchar_t* separator, std::wstring& out)
{
    for (HTREEITEM item = first; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        if (item != first)
            out += separator;
        out += ItemText(tree, item);
        if (HTREEITEM child = TreeView_GetChild(tree, item)) {
            out += L"{";
            Describe(tree, child, L",", out);
            out += L"}";
        }
    }
}

// Depth first until `visit` returns false.
template <class Visit>
bool Walk(HWND tree, HTREEITEM first, Visit visit)
{
    for (HTREEITEM item = first; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        if (!visit(item) || !Walk(tree, TreeView_GetChild(tree, item), visit))
            return false;
    }
    return true;
}

} // namespace

HWND ManagerTree(HWND dialog) { return GetDlgItem(dialog, kTreeControl); }

int ItemImage(HWND tree, HTREEITEM item) { return GetItem(tree, item, nullptr, 0).iImage; }

std::wstring DescribeTree(HWND tree)
{
    std::wstring out;
    Describe(tree, TreeView_GetRoot(tree), L";", out);
    return out;
}

std::wstring CheckedItems(HWND tree)
{
    std::wstring out;
    Walk(tree, TreeView_GetRoot(tree), [&](HTREEITEM item) {
        if (TreeView_GetCheckState(tree, item) == 1)
            out += (out.empty() ? L"" : L",") + ItemText(tree, item);
        return true;
    });
    return out;
}

HTREEITEM FindItem(HWND tree, const std::wstring& label)
{
    HTREEITEM found = nullptr;
    Walk(tree, TreeView_GetRoot(tree), [&](HTREEITEM item) {
        if (ItemText(tree, item) == label)
            found = item;
        return found == nullptr;
    });
    return found;
}

void ExpandAll(HWND tree)
{
    Walk(tree, TreeView_GetRoot(tree), [&](HTREEITEM item) {
        if (TreeView_GetChild(tree, item) != nullptr)
            (void)TreeView_Expand(tree, item, TVE_EXPAND);
        return true;
    });
}

} // namespace viztest
