// The "SysTreeView32" class with TVS_CHECKBOXES.
//
// Rows have a fixed height of 16 pixels and each level is indented by 19 (the control's
// defaults); from the left a row holds the expand box (in the indent of its own level), the state
// icon (check box), the image and the label. A click sends NM_CLICK first, while the selection
// and the check box still show their old state, and only when the parent returns 0 does the tree
// act: the expand box toggles the branch, the state icon cycles the check box, the label or
// image selects the item. The space bar cycles the selected item's check box without NM_CLICK.
//
// Scrolling: the vertical bar counts rows (page: the rows that fit whole), the horizontal one
// pixels; a bar shows only while the rows overflow. A change of the rows is laid out once the
// caller is done (a posted message), or at once when something asks where the rows are.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>

#include "HandlePool.h"
#include "Imaging.h"
#include "TreeView.h"
#include "WindowSystem.h"
#include "winbase.h"

namespace win32ui {

namespace {

constexpr int kDefaultItemHeight = 16;
constexpr int kDefaultIndent = 19;
constexpr int kStateImageSize = 16;
constexpr UINT kSyncScrollBars = TV_FIRST + 0xF0; // private: lays out the scroll bars after changes

UINT StateIndex(UINT state) { return (state & TVIS_STATEIMAGEMASK) >> 12; }

// An item's label in one allocation of its characters, as comctl32 keeps it.
class ItemText {
public:
    ItemText& operator=(LPCWSTR psz)
    {
        const size_t cch = std::wcslen(psz) + 1;
        std::unique_ptr<wchar_t[]> copy(new wchar_t[cch]);
        std::wmemcpy(copy.get(), psz, cch);
        m_psz = std::move(copy);
        return *this;
    }
    LPCWSTR c_str() const { return m_psz ? m_psz.get() : L""; }

private:
    std::unique_ptr<wchar_t[]> m_psz;
};

struct TreeItem {
    ItemText text;
    int image = 0;
    int selectedImage = 0;
    LPARAM param = 0;
    UINT state = 0;
    int childrenFlag = 0; // cChildren as given
    TreeItem* parent = nullptr;
    TreeItem* firstChild = nullptr;
    TreeItem* next = nullptr;
    TreeItem* prev = nullptr;

    TreeItem* LastChild() const
    {
        TreeItem* c = firstChild;
        while (c && c->next)
            c = c->next;
        return c;
    }
    bool HasChildren() const { return firstChild != nullptr || childrenFlag > 0; }
};

HTREEITEM Handle(TreeItem* item) { return reinterpret_cast<HTREEITEM>(item); }

class TreeView {
public:
    explicit TreeView(HWND hwnd) : m_hwnd(hwnd) {}
    ~TreeView()
    {
        if (m_stateImages)
            ImageList_Destroy(m_stateImages);
    }

    TreeItem* Find(HTREEITEM handle) const
    {
        return m_items.Find(handle);
    }

    DWORD Style() const { return static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_STYLE)); }
    bool CheckBoxes() const { return (Style() & TVS_CHECKBOXES) != 0; }

    // The fields TVM_INSERTITEM and TVM_SETITEM take alike (the state differs: see each).
    static void SetItemFields(TreeItem& item, const TVITEMW& tv)
    {
        if ((tv.mask & TVIF_TEXT) && tv.pszText)
            item.text = tv.pszText;
        if (tv.mask & TVIF_IMAGE)
            item.image = tv.iImage;
        if (tv.mask & TVIF_SELECTEDIMAGE)
            item.selectedImage = tv.iSelectedImage;
        if (tv.mask & TVIF_PARAM)
            item.param = tv.lParam;
        if (tv.mask & TVIF_CHILDREN)
            item.childrenFlag = tv.cChildren;
    }

    // ---- structure ----

    TreeItem* Insert(const TVINSERTSTRUCTW& is)
    {
        TreeItem* parent = &m_root;
        if (is.hParent && is.hParent != TVI_ROOT) {
            parent = Find(is.hParent);
            if (!parent)
                return nullptr;
        }
        TreeItem* item = m_items.New();
        const TVITEMW& tv = is.item;
        SetItemFields(*item, tv);
        if (tv.mask & TVIF_STATE)
            item->state = tv.state & tv.stateMask & ~TVIS_SELECTED;
        // A tree with check boxes shows a clear box on every new item.
        if (CheckBoxes() && StateIndex(item->state) == 0)
            item->state |= INDEXTOSTATEIMAGEMASK(1);

        TreeItem* after = nullptr; // null: first
        HTREEITEM where = is.hInsertAfter;
        if (where == TVI_FIRST) {
            after = nullptr;
        } else if (where == TVI_LAST || !where) {
            after = parent->LastChild();
        } else {
            after = Find(where);
            if (!after || after->parent != parent)
                after = parent->LastChild(); // an unknown sibling inserts last, as Windows does
        }
        item->parent = parent;
        if (after) {
            item->next = after->next;
            item->prev = after;
            if (after->next)
                after->next->prev = item;
            after->next = item;
        } else {
            item->next = parent->firstChild;
            if (parent->firstChild)
                parent->firstChild->prev = item;
            parent->firstChild = item;
        }
        RowsChanged();
        return item;
    }

    void Delete(TreeItem* item)
    {
        while (item->firstChild)
            Delete(item->firstChild);
        NMTREEVIEWW nm{};
        nm.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
        nm.itemOld.hItem = Handle(item);
        nm.itemOld.lParam = item->param;
        Notify(TVN_DELETEITEMW, nm.hdr);
        if (m_caret == item)
            m_caret = nullptr;
        if (item->prev)
            item->prev->next = item->next;
        else
            item->parent->firstChild = item->next;
        if (item->next)
            item->next->prev = item->prev;
        m_items.Delete(item);
    }

    void DeleteAll()
    {
        while (m_root.firstChild)
            Delete(m_root.firstChild);
        m_topRow = 0;
        m_scrollX = 0;
        RowsChanged();
    }

    // ---- rows ----

    std::vector<TreeItem*> VisibleItems() const
    {
        std::vector<TreeItem*> rows;
        AppendVisible(m_root.firstChild, rows);
        return rows;
    }

    int RowOf(TreeItem* item) const
    {
        auto rows = VisibleItems();
        auto it = std::find(rows.begin(), rows.end(), item);
        return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
    }

    static int Depth(const TreeItem* item)
    {
        int depth = 0;
        for (const TreeItem* p = item->parent; p && p->parent; p = p->parent)
            ++depth;
        return depth;
    }

    static int TextWidth(LPCWSTR psz)
    {
        int width = 0;
        for (; *psz; ++psz)
            width += *psz >= 0x2E80 ? 12 : 6; // ideographs are twice as wide as the average character
        return width;
    }

    TreeRow Layout(TreeItem* item, int row) const
    {
        TreeRow r;
        DWORD style = Style();
        r.item = Handle(item);
        r.depth = Depth(item);
        int top = (row - m_topRow) * m_itemHeight;
        RECT client;
        GetClientRect(m_hwnd, &client);
        r.row = RECT{0, top, client.right, top + m_itemHeight};
        bool rootButtons = (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS));
        int level = r.depth + (rootButtons ? 1 : 0);
        int x = level * m_indent - m_scrollX;
        r.expanded = (item->state & TVIS_EXPANDED) != 0;
        if ((style & TVS_HASBUTTONS) && item->HasChildren() && level > 0)
            r.button = RECT{x - m_indent, top, x, top + m_itemHeight};
        r.stateIndex = static_cast<int>(StateIndex(item->state));
        if (m_stateImages && r.stateIndex > 0) {
            r.stateIcon = RECT{x, top, x + kStateImageSize, top + m_itemHeight};
            x += kStateImageSize;
        }
        r.selected = (item->state & TVIS_SELECTED) != 0;
        r.image = r.selected ? item->selectedImage : item->image;
        if (m_normalImages) {
            int cx = 16, cy = 16;
            ImageList_GetIconSize(m_normalImages, &cx, &cy);
            r.icon = RECT{x, top, x + cx, top + m_itemHeight};
            x += cx + 2;
        }
        r.label = RECT{x, top, x + TextWidth(item->text.c_str()) + 4, top + m_itemHeight};
        r.text = item->text.c_str();
        return r;
    }

    TreeItem* HitTest(TVHITTESTINFO& ht) const
    {
        ht.flags = 0;
        ht.hItem = nullptr;
        RECT client;
        GetClientRect(m_hwnd, &client);
        if (ht.pt.x < 0)
            ht.flags |= TVHT_TOLEFT;
        if (ht.pt.x >= client.right)
            ht.flags |= TVHT_TORIGHT;
        if (ht.pt.y < 0)
            ht.flags |= TVHT_ABOVE;
        if (ht.pt.y >= client.bottom)
            ht.flags |= TVHT_BELOW;
        if (ht.flags)
            return nullptr;
        auto rows = VisibleItems();
        int row = m_topRow + ht.pt.y / m_itemHeight;
        if (row < 0 || row >= static_cast<int>(rows.size())) {
            ht.flags = TVHT_NOWHERE;
            return nullptr;
        }
        TreeItem* item = rows[static_cast<size_t>(row)];
        TreeRow r = Layout(item, row);
        POINT p = ht.pt;
        if (PtInRect(&r.button, p))
            ht.flags = TVHT_ONITEMBUTTON;
        else if (PtInRect(&r.stateIcon, p))
            ht.flags = TVHT_ONITEMSTATEICON;
        else if (PtInRect(&r.icon, p))
            ht.flags = TVHT_ONITEMICON;
        else if (PtInRect(&r.label, p))
            ht.flags = TVHT_ONITEMLABEL;
        else if (p.x >= r.label.right)
            ht.flags = TVHT_ONITEMRIGHT;
        else
            ht.flags = TVHT_ONITEMINDENT;
        ht.hItem = Handle(item);
        return item;
    }

    // ---- state ----

    bool Select(TreeItem* item, UINT cause)
    {
        if (item == m_caret)
            return true;
        NMTREEVIEWW nm{};
        nm.action = cause;
        Describe(m_caret, nm.itemOld);
        Describe(item, nm.itemNew);
        if (Notify(TVN_SELCHANGINGW, nm.hdr))
            return false;
        if (m_caret && m_items.Find(m_caret))
            m_caret->state &= ~TVIS_SELECTED;
        if (item && m_items.Find(item)) {
            for (TreeItem* p = item->parent; p && p != &m_root; p = p->parent)
                p->state |= TVIS_EXPANDED;
            item->state |= TVIS_SELECTED;
            m_caret = item;
        } else {
            m_caret = nullptr;
        }
        Describe(m_caret, nm.itemNew);
        Notify(TVN_SELCHANGEDW, nm.hdr);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return true;
    }

    bool Expand(TreeItem* item, UINT code, UINT cause)
    {
        UINT action = code & 0xF;
        if (!item->HasChildren())
            return false;
        bool expanded = (item->state & TVIS_EXPANDED) != 0;
        if (action == TVE_TOGGLE)
            action = expanded ? TVE_COLLAPSE : TVE_EXPAND;
        if ((action == TVE_EXPAND) == expanded)
            return true;
        NMTREEVIEWW nm{};
        nm.action = action;
        Describe(item, nm.itemNew);
        (void)cause;
        if (Notify(TVN_ITEMEXPANDINGW, nm.hdr))
            return false;
        if (!m_items.Find(item))
            return false;
        if (action == TVE_EXPAND) {
            item->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
        } else {
            item->state &= ~TVIS_EXPANDED;
            // A selection hidden by the collapse moves to the collapsed item.
            for (TreeItem* p = m_caret ? m_caret->parent : nullptr; p && p != &m_root; p = p->parent)
                if (p == item) {
                    Select(item, TVC_UNKNOWN);
                    break;
                }
            if (code & TVE_COLLAPSERESET)
                while (item->firstChild)
                    Delete(item->firstChild);
        }
        Describe(item, nm.itemNew);
        Notify(TVN_ITEMEXPANDEDW, nm.hdr);
        RowsChanged();
        return true;
    }

    // The check box goes to the next state image, back to the first after the last.
    void CycleStateImage(TreeItem* item)
    {
        if (!m_stateImages)
            return;
        UINT count = static_cast<UINT>(ImageList_GetImageCount(m_stateImages));
        UINT next = StateIndex(item->state) + 1;
        if (next >= count)
            next = 1;
        item->state = (item->state & ~TVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(next);
        InvalidateRect(m_hwnd, nullptr, TRUE);
    }

    void CreateCheckBoxImages()
    {
        if (m_stateImages)
            ImageList_Destroy(m_stateImages);
        m_stateImages = ImageList_Create(kStateImageSize, kStateImageSize, ILC_COLOR32 | ILC_MASK, 3, 0);
        m_stateImages->images = {L"", L"unchecked", L"checked"};
        m_items.ForEach([](TreeItem& item) {
            if (StateIndex(item.state) == 0)
                item.state |= INDEXTOSTATEIMAGEMASK(1);
        });
    }

    void DropCheckBoxImages()
    {
        if (m_stateImages)
            ImageList_Destroy(m_stateImages);
        m_stateImages = nullptr;
        m_items.ForEach([](TreeItem& item) { item.state &= ~TVIS_STATEIMAGEMASK; });
    }

    // ---- messages ----

    LRESULT Notify(UINT code, NMHDR& hdr) const
    {
        hdr.hwndFrom = m_hwnd;
        hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(m_hwnd));
        hdr.code = code;
        return SendMessageW(GetParent(m_hwnd), WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
    }

    LRESULT NotifySimple(UINT code) const
    {
        NMHDR hdr{};
        return Notify(code, hdr);
    }

    void Describe(TreeItem* item, TVITEMW& tv) const
    {
        tv = TVITEMW{};
        tv.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
        if (!item)
            return;
        tv.hItem = Handle(item);
        tv.state = item->state;
        tv.stateMask = 0xFFFF;
        tv.lParam = item->param;
    }

    BOOL GetItem(TVITEMW& tv) const
    {
        TreeItem* item = Find(tv.hItem);
        if (!item)
            return FALSE;
        if ((tv.mask & TVIF_TEXT) && tv.pszText && tv.cchTextMax > 0) {
            size_t n = std::min(std::wcslen(item->text.c_str()), static_cast<size_t>(tv.cchTextMax) - 1);
            std::wmemcpy(tv.pszText, item->text.c_str(), n);
            tv.pszText[n] = L'\0';
        }
        if (tv.mask & TVIF_IMAGE)
            tv.iImage = item->image;
        if (tv.mask & TVIF_SELECTEDIMAGE)
            tv.iSelectedImage = item->selectedImage;
        if (tv.mask & TVIF_PARAM)
            tv.lParam = item->param;
        if (tv.mask & TVIF_STATE)
            tv.state = item->state & tv.stateMask;
        if (tv.mask & TVIF_CHILDREN)
            tv.cChildren = item->HasChildren() ? 1 : 0;
        return TRUE;
    }

    BOOL SetItem(const TVITEMW& tv)
    {
        TreeItem* item = Find(tv.hItem);
        if (!item)
            return FALSE;
        SetItemFields(*item, tv);
        if (tv.mask & TVIF_STATE) {
            UINT mask = tv.stateMask & ~TVIS_SELECTED; // the caret moves only with TVM_SELECTITEM
            item->state = (item->state & ~mask) | (tv.state & mask);
        }
        RowsChanged();
        return TRUE;
    }

    TreeItem* Next(TreeItem* item, UINT code) const
    {
        switch (code) {
        case TVGN_ROOT:
            return m_root.firstChild;
        case TVGN_CARET:
            return m_caret;
        }
        if (!item)
            return nullptr;
        switch (code) {
        case TVGN_NEXT:
            return item->next;
        case TVGN_PARENT:
            return item->parent == &m_root ? nullptr : item->parent;
        case TVGN_CHILD:
            return item->firstChild;
        }
        return nullptr;
    }

    void OnLButtonDown(POINT p)
    {
        SetFocus(m_hwnd);
        TVHITTESTINFO ht{p, 0, nullptr};
        TreeItem* item = HitTest(ht);
        if (NotifySimple(NM_CLICK))
            return;
        if (!item || !m_items.Find(item))
            return;
        if (ht.flags & TVHT_ONITEMBUTTON)
            Expand(item, TVE_TOGGLE, TVC_BYMOUSE);
        else if ((ht.flags & TVHT_ONITEMSTATEICON) && CheckBoxes())
            CycleStateImage(item);
        else if (ht.flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON) ||
            ((Style() & TVS_FULLROWSELECT) && (ht.flags & (TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT))))
            Select(item, TVC_BYMOUSE);
    }

    void OnLButtonDblClk(POINT p)
    {
        TVHITTESTINFO ht{p, 0, nullptr};
        TreeItem* item = HitTest(ht);
        if (NotifySimple(NM_DBLCLK))
            return;
        if (!item || !m_items.Find(item))
            return;
        if (ht.flags & (TVHT_ONITEMBUTTON | TVHT_ONITEMLABEL | TVHT_ONITEMICON))
            Expand(item, TVE_TOGGLE, TVC_BYMOUSE);
        else if ((ht.flags & TVHT_ONITEMSTATEICON) && CheckBoxes())
            CycleStateImage(item);
    }

    void OnKeyDown(UINT key)
    {
        TreeItem* caret = m_caret;
        auto rows = VisibleItems();
        if (rows.empty())
            return;
        switch (key) {
        case VK_SPACE:
            if (caret && CheckBoxes())
                CycleStateImage(caret);
            break;
        case VK_UP:
        case VK_DOWN: {
            auto it = std::find(rows.begin(), rows.end(), caret);
            if (it == rows.end())
                Select(rows.front(), TVC_BYKEYBOARD);
            else if (key == VK_DOWN && (it + 1) != rows.end())
                Select(*(it + 1), TVC_BYKEYBOARD);
            else if (key == VK_UP && it != rows.begin())
                Select(*(it - 1), TVC_BYKEYBOARD);
            break;
        }
        case VK_PRIOR:
        case VK_NEXT: {
            // A page is the rows that fit, less the one kept from the page before.
            int step = std::max(VisibleCount() - 1, 1);
            auto it = std::find(rows.begin(), rows.end(), caret);
            int at = it == rows.end() ? 0 : static_cast<int>(it - rows.begin());
            at = key == VK_NEXT ? std::min(at + step, static_cast<int>(rows.size()) - 1) : std::max(at - step, 0);
            Select(rows[static_cast<size_t>(at)], TVC_BYKEYBOARD);
            break;
        }
        case VK_HOME:
            Select(rows.front(), TVC_BYKEYBOARD);
            break;
        case VK_END:
            Select(rows.back(), TVC_BYKEYBOARD);
            break;
        case VK_LEFT:
            if (!caret)
                break;
            if ((caret->state & TVIS_EXPANDED) && caret->HasChildren())
                Expand(caret, TVE_COLLAPSE, TVC_BYKEYBOARD);
            else if (caret->parent != &m_root)
                Select(caret->parent, TVC_BYKEYBOARD);
            break;
        case VK_RIGHT:
            if (!caret || !caret->HasChildren())
                break;
            if (!(caret->state & TVIS_EXPANDED))
                Expand(caret, TVE_EXPAND, TVC_BYKEYBOARD);
            else if (caret->firstChild)
                Select(caret->firstChild, TVC_BYKEYBOARD);
            break;
        case VK_ADD:
            if (caret)
                Expand(caret, TVE_EXPAND, TVC_BYKEYBOARD);
            break;
        case VK_SUBTRACT:
            if (caret)
                Expand(caret, TVE_COLLAPSE, TVC_BYKEYBOARD);
            break;
        }
        if (m_caret && m_caret != caret)
            EnsureVisible(m_caret);
    }

    // ---- scrolling ----

    void RowsChanged()
    {
        InvalidateRect(m_hwnd, nullptr, TRUE);
        if (m_layoutPending)
            return;
        m_layoutPending = true;
        PostMessageW(m_hwnd, kSyncScrollBars, 0, 0);
    }

    // Lays out the scroll bars if rows changed since they were last laid out.
    void Sync()
    {
        if (m_layoutPending)
            UpdateScrollBars();
    }

    int VisibleCount() const
    {
        RECT client;
        GetClientRect(m_hwnd, &client);
        return client.bottom / m_itemHeight;
    }

    // The width the rows need, from the left edge of the unscrolled tree.
    int TreeWidth(const std::vector<TreeItem*>& rows) const
    {
        int width = 0;
        for (size_t i = 0; i < rows.size(); ++i)
            width = std::max(width, static_cast<int>(Layout(rows[i], static_cast<int>(i)).label.right) + m_scrollX);
        return width;
    }

    void UpdateScrollBars()
    {
        m_layoutPending = false;
        if (m_updatingBars)
            return;
        m_updatingBars = true;
        auto rows = VisibleItems();
        // Showing one bar narrows the client area, which may call for the other: settle in a few passes.
        for (int pass = 0; pass < 3; ++pass) {
            DWORD before = Style() & (WS_VSCROLL | WS_HSCROLL);
            int total = static_cast<int>(rows.size());
            int fit = VisibleCount();
            m_topRow = std::max(0, std::min(m_topRow, total - std::max(fit, 1)));
            if (!(Style() & TVS_NOSCROLL) && fit > 0 && total > fit) {
                SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, total - 1, static_cast<UINT>(fit), m_topRow, 0};
                SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
            } else {
                m_topRow = 0;
                ShowScrollBar(m_hwnd, SB_VERT, FALSE);
            }
            RECT client;
            GetClientRect(m_hwnd, &client);
            int width = TreeWidth(rows);
            m_scrollX = std::max(0, std::min(m_scrollX, width - static_cast<int>(client.right)));
            if (!(Style() & (TVS_NOSCROLL | TVS_NOHSCROLL)) && client.right > 0 && width > client.right) {
                SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, width - 1, static_cast<UINT>(client.right), m_scrollX, 0};
                SetScrollInfo(m_hwnd, SB_HORZ, &si, TRUE);
            } else {
                m_scrollX = 0;
                ShowScrollBar(m_hwnd, SB_HORZ, FALSE);
            }
            if ((Style() & (WS_VSCROLL | WS_HSCROLL)) == before)
                break;
        }
        m_layoutPending = false;
        m_updatingBars = false;
    }

    // The first row shown, kept so that no empty space shows below the last row.
    void ScrollTo(int topRow)
    {
        Sync();
        int total = static_cast<int>(VisibleItems().size());
        int top = std::max(0, std::min(topRow, total - std::max(VisibleCount(), 1)));
        if (top == m_topRow)
            return;
        m_topRow = top;
        SetScrollPos(m_hwnd, SB_VERT, m_topRow, TRUE);
        InvalidateRect(m_hwnd, nullptr, TRUE);
    }

    void ScrollHorizontally(int x)
    {
        Sync();
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
        if (!(Style() & WS_HSCROLL) || !GetScrollInfo(m_hwnd, SB_HORZ, &si))
            return;
        int limit = si.nMax - static_cast<int>(si.nPage) + 1;
        m_scrollX = std::max(0, std::min(x, limit));
        SetScrollPos(m_hwnd, SB_HORZ, m_scrollX, TRUE);
        InvalidateRect(m_hwnd, nullptr, TRUE);
    }

    // Expands the item's ancestors and scrolls the least that shows its whole row: an item
    // above the view comes to the top, one below it to the bottom.
    bool EnsureVisible(TreeItem* item)
    {
        bool expanded = false;
        for (TreeItem* p = item->parent; p && p != &m_root; p = p->parent)
            if (!(p->state & TVIS_EXPANDED)) {
                Expand(p, TVE_EXPAND, TVC_UNKNOWN);
                expanded = true;
            }
        Sync();
        int row = RowOf(item);
        if (row < 0)
            return false;
        int fit = std::max(VisibleCount(), 1);
        int before = m_topRow;
        if (row < m_topRow)
            ScrollTo(row);
        else if (row >= m_topRow + fit)
            ScrollTo(row - fit + 1);
        return m_topRow != before && !expanded;
    }

    void OnVScroll(UINT code, int thumb)
    {
        Sync();
        int page = std::max(VisibleCount(), 1);
        switch (code) {
        case SB_LINEUP: ScrollTo(m_topRow - 1); break;
        case SB_LINEDOWN: ScrollTo(m_topRow + 1); break;
        case SB_PAGEUP: ScrollTo(m_topRow - page); break;
        case SB_PAGEDOWN: ScrollTo(m_topRow + page); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: ScrollTo(thumb); break;
        case SB_TOP: ScrollTo(0); break;
        case SB_BOTTOM: ScrollTo(static_cast<int>(VisibleItems().size())); break;
        }
    }

    void OnHScroll(UINT code, int thumb)
    {
        Sync();
        RECT client;
        GetClientRect(m_hwnd, &client);
        switch (code) {
        case SB_LINELEFT: ScrollHorizontally(m_scrollX - m_indent); break;
        case SB_LINERIGHT: ScrollHorizontally(m_scrollX + m_indent); break;
        case SB_PAGELEFT: ScrollHorizontally(m_scrollX - client.right); break;
        case SB_PAGERIGHT: ScrollHorizontally(m_scrollX + client.right); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: ScrollHorizontally(thumb); break;
        case SB_LEFT: ScrollHorizontally(0); break;
        case SB_RIGHT: ScrollHorizontally(INT_MAX / 2); break;
        }
    }

    // A notch (WHEEL_DELTA) scrolls the lines the mouse settings name; smaller deltas add up.
    void OnMouseWheel(int delta)
    {
        Sync();
        UINT lines = 3;
        SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        m_wheelRemainder += delta;
        if (lines == 0 || std::abs(m_wheelRemainder) < WHEEL_DELTA)
            return;
        int scroll = -static_cast<int>(lines) * m_wheelRemainder / WHEEL_DELTA;
        m_wheelRemainder -= -scroll * WHEEL_DELTA / static_cast<int>(lines);
        if (Style() & WS_VSCROLL)
            ScrollTo(m_topRow + scroll);
    }

    HWND m_hwnd;
    TreeItem m_root;
    // Every item; its address is its handle.
    HandlePool<TreeItem> m_items;
    TreeItem* m_caret = nullptr;
    HIMAGELIST m_normalImages = nullptr;
    HIMAGELIST m_stateImages = nullptr;
    int m_indent = kDefaultIndent;
    int m_itemHeight = kDefaultItemHeight;
    int m_topRow = 0;
    int m_scrollX = 0;
    int m_wheelRemainder = 0;
    bool m_layoutPending = false;
    bool m_updatingBars = false;

private:

    static void AppendVisible(TreeItem* first, std::vector<TreeItem*>& rows)
    {
        for (TreeItem* item = first; item; item = item->next) {
            rows.push_back(item);
            if (item->state & TVIS_EXPANDED)
                AppendVisible(item->firstChild, rows);
        }
    }
};

TreeView* TreeOf(HWND hwnd)
{
    if (!IsClass(hwnd, kTreeViewClass))
        return nullptr;
    return reinterpret_cast<TreeView*>(GetWindowLongPtrW(hwnd, 0));
}

} // namespace

bool DescribeTree(HWND hwnd, TreePicture& picture)
{
    TreeView* tree = TreeOf(hwnd);
    if (!tree)
        return false;
    picture = TreePicture();
    picture.normalImages = tree->m_normalImages;
    picture.style = tree->Style();
    picture.indent = tree->m_indent;
    tree->Sync();
    auto rows = tree->VisibleItems();
    for (size_t i = static_cast<size_t>(std::max(0, tree->m_topRow)); i < rows.size(); ++i)
        picture.rows.push_back(tree->Layout(rows[i], static_cast<int>(i)));
    return true;
}

LRESULT CALLBACK TreeViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* tree = reinterpret_cast<TreeView*>(GetWindowLongPtrW(hwnd, 0));
    switch (msg) {
    case WM_NCCREATE:
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new TreeView(hwnd)));
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_CREATE:
        if (tree && tree->CheckBoxes())
            tree->CreateCheckBoxImages();
        // The bars the style asks for show only once the rows overflow.
        ShowScrollBar(hwnd, SB_BOTH, FALSE);
        return 0;
    case WM_NCDESTROY:
        delete tree;
        SetWindowLongPtrW(hwnd, 0, 0);
        return 0;
    case WM_DESTROY:
        if (tree)
            tree->DeleteAll();
        return 0;
    }
    if (!tree)
        return DefWindowProcW(hwnd, msg, wParam, lParam);

    switch (msg) {
    case kSyncScrollBars:
        tree->Sync();
        return 0;
    case WM_SIZE:
        tree->UpdateScrollBars();
        return 0;
    case WM_VSCROLL:
        tree->OnVScroll(LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam)));
        return 0;
    case WM_HSCROLL:
        tree->OnHScroll(LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam)));
        return 0;
    case WM_MOUSEWHEEL:
        tree->OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_STYLECHANGED:
        if (wParam == static_cast<WPARAM>(GWL_STYLE)) {
            auto* ss = reinterpret_cast<const STYLESTRUCT*>(lParam);
            if ((ss->styleOld ^ ss->styleNew) & TVS_CHECKBOXES) {
                if (ss->styleNew & TVS_CHECKBOXES)
                    tree->CreateCheckBoxImages();
                else
                    tree->DropCheckBoxImages();
            }
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
        tree->Sync();
        tree->OnLButtonDown(POINT{ClientX(lParam), ClientY(lParam)});
        return 0;
    case WM_LBUTTONDBLCLK:
        tree->Sync();
        tree->OnLButtonDblClk(POINT{ClientX(lParam), ClientY(lParam)});
        return 0;
    case WM_RBUTTONDOWN:
        tree->NotifySimple(NM_RCLICK);
        return 0;
    case WM_KEYDOWN:
        tree->Sync();
        tree->OnKeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_SETFOCUS:
        tree->NotifySimple(NM_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        tree->NotifySimple(NM_KILLFOCUS);
        return 0;

    case TVM_INSERTITEMW: {
        auto* is = reinterpret_cast<const TVINSERTSTRUCTW*>(lParam);
        return is ? reinterpret_cast<LRESULT>(Handle(tree->Insert(*is))) : 0;
    }
    case TVM_EXPAND: {
        TreeItem* item = tree->Find(reinterpret_cast<HTREEITEM>(lParam));
        return item ? tree->Expand(item, static_cast<UINT>(wParam), TVC_UNKNOWN) : FALSE;
    }
    case TVM_GETITEMRECT: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (!rect)
            return FALSE;
        HTREEITEM handle;
        std::memcpy(&handle, rect, sizeof(handle));
        TreeItem* item = tree->Find(handle);
        tree->Sync();
        int row = item ? tree->RowOf(item) : -1;
        if (row < 0)
            return FALSE;
        TreeRow r = tree->Layout(item, row);
        *rect = wParam ? r.label : r.row;
        return TRUE;
    }
    case TVM_SETIMAGELIST: {
        auto list = reinterpret_cast<HIMAGELIST>(lParam);
        HIMAGELIST old;
        if (wParam == TVSIL_STATE) {
            old = tree->m_stateImages;
            tree->m_stateImages = list;
        } else {
            old = tree->m_normalImages;
            tree->m_normalImages = list;
        }
        tree->RowsChanged();
        return reinterpret_cast<LRESULT>(old);
    }
    case TVM_GETNEXTITEM: {
        TreeItem* item = tree->Find(reinterpret_cast<HTREEITEM>(lParam));
        return reinterpret_cast<LRESULT>(Handle(tree->Next(item, static_cast<UINT>(wParam & 0xFF))));
    }
    case TVM_SELECTITEM: {
        auto handle = reinterpret_cast<HTREEITEM>(lParam);
        TreeItem* item = tree->Find(handle);
        if (handle && !item)
            return FALSE;
        switch (wParam & 0xFF) {
        case TVGN_CARET:
            if (!tree->Select(item, TVC_UNKNOWN))
                return FALSE;
            if (item)
                tree->EnsureVisible(item);
            return TRUE;
        }
        return FALSE;
    }
    case TVM_GETITEMW: {
        auto* tv = reinterpret_cast<TVITEMW*>(lParam);
        return tv ? tree->GetItem(*tv) : FALSE;
    }
    case TVM_SETITEMW: {
        auto* tv = reinterpret_cast<const TVITEMW*>(lParam);
        return tv ? tree->SetItem(*tv) : FALSE;
    }
    case TVM_GETITEMSTATE: {
        TreeItem* item = tree->Find(reinterpret_cast<HTREEITEM>(wParam));
        return item ? static_cast<LRESULT>(item->state & static_cast<UINT>(lParam)) : 0;
    }
    case TVM_HITTEST: {
        tree->Sync();
        auto* ht = reinterpret_cast<TVHITTESTINFO*>(lParam);
        return ht ? reinterpret_cast<LRESULT>(Handle(tree->HitTest(*ht))) : 0;
    }
    case TVM_ENSUREVISIBLE: {
        TreeItem* item = tree->Find(reinterpret_cast<HTREEITEM>(lParam));
        return item ? tree->EnsureVisible(item) : FALSE;
    }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace win32ui
