// The picture of a window as SVG: the frame and caption of a top-level window, then every visible
// child drawn the way its class looks on Windows 10.
#include <algorithm>
#include <cstdio>
#include <fstream>

#include "Imaging.h"
#include "SvgCanvas.h"
#include "TreeView.h"
#include "WindowSystem.h"
#include "winenv/DesktopSvg.h"
#include "winenv/Trace.h"

using namespace win32ui;

namespace {

constexpr const char* kFace = "#f0f0f0";
constexpr const char* kText = "#000000";
constexpr const char* kGrey = "#6d6d6d";
constexpr const char* kAccent = "#0078d7";

// Baseline for text centred in a box of height h at y.
int Baseline(int y, int h) { return y + h / 2 + 4; }

void DrawCheckMark(SvgCanvas& svg, int x, int y)
{
    svg.Path("M" + std::to_string(x + 3) + ' ' + std::to_string(y + 6) + " l3 3 l5 -6", "none", kText,
        "stroke-width=\"1.6\"");
}

void DrawButton(SvgCanvas& svg, HWND hwnd, const RECT& r, bool enabled)
{
    DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    UINT type = style & BS_TYPEMASK;
    std::wstring text = WindowText(hwnd);
    const char* ink = enabled ? kText : kGrey;
    int w = r.right - r.left, h = r.bottom - r.top;
    UINT check = static_cast<UINT>(SendMessageW(hwnd, BM_GETCHECK, 0, 0));
    switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: {
        int bx = r.left, by = r.top + (h - 13) / 2;
        svg.Rect(bx, by, 13, 13, "#ffffff", "#333333");
        if (check == BST_CHECKED)
            DrawCheckMark(svg, bx, by);
        else if (check == BST_INDETERMINATE)
            svg.Rect(bx + 3, by + 3, 7, 7, "#333333", "none");
        svg.Text(bx + 17, Baseline(r.top, h), text, "start", ink);
        return;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
        int cy = r.top + h / 2;
        svg.Path("M" + std::to_string(r.left) + ' ' + std::to_string(cy) + " a6 6 0 1 0 12 0 a6 6 0 1 0 -12 0", "#ffffff", "#333333");
        if (check == BST_CHECKED)
            svg.Path("M" + std::to_string(r.left + 3) + ' ' + std::to_string(cy) + " a3 3 0 1 0 6 0 a3 3 0 1 0 -6 0", "#333333", "none");
        svg.Text(r.left + 17, Baseline(r.top, h), text, "start", ink);
        return;
    }
    case BS_GROUPBOX:
        svg.Rect(r.left, r.top + 6, w, h - 6, "none", "#dcdcdc");
        svg.Rect(r.left + 6, r.top, static_cast<int>(text.size()) * 6 + 4, 12, kFace, "none");
        svg.Text(r.left + 8, r.top + 10, text, "start", ink);
        return;
    }
    bool isDefault = type == BS_DEFPUSHBUTTON;
    svg.Rect(r.left, r.top, w, h, "#e1e1e1", isDefault ? kAccent : "#adadad");
    svg.Text(r.left + w / 2, Baseline(r.top, h), text, "middle", ink);
}

void DrawStatic(SvgCanvas& svg, HWND hwnd, const RECT& r, bool enabled)
{
    DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    const char* ink = enabled ? kText : kGrey;
    switch (style & SS_TYPEMASK) {
    case SS_ICON:
        svg.Rect(r.left, r.top, 32, 32, "#dddddd", "#999999");
        return;
    case SS_CENTER:
        svg.Text((r.left + r.right) / 2, r.top + 10, WindowText(hwnd), "middle", ink);
        return;
    case SS_RIGHT:
        svg.Text(r.right, r.top + 10, WindowText(hwnd), "end", ink);
        return;
    }
    svg.Text(r.left, r.top + 10, WindowText(hwnd), "start", ink);
}

// An icon drawn 16 x 16 pixels from its own (nearest pixel when its size differs), runs of one
// colour as one rectangle; an icon without pixels is a framed square.
void DrawIcon16(SvgCanvas& svg, int x, int y, HICON hIcon)
{
    const IconObject* icon = FindIcon(hIcon);
    if (!icon || icon->pixels.size() != static_cast<size_t>(icon->width) * icon->height || icon->width <= 0) {
        svg.Rect(x, y, 16, 16, "#dbe7f5", "#7f9db9");
        return;
    }
    auto at = [&](int px, int py) { return icon->pixels[(py * icon->height / 16) * icon->width + px * icon->width / 16]; };
    for (int py = 0; py < 16; ++py) {
        for (int px = 0; px < 16;) {
            const std::uint32_t argb = at(px, py);
            int run = 1;
            while (px + run < 16 && at(px + run, py) == argb)
                ++run;
            if (argb >> 24) {
                char fill[8], extra[32] = "";
                std::snprintf(fill, sizeof fill, "#%06x", argb & 0xFFFFFFu);
                if ((argb >> 24) != 0xFF)
                    std::snprintf(extra, sizeof extra, "fill-opacity=\"%.3f\"", (argb >> 24) / 255.0);
                svg.Rect(x + px, y + py, run, 1, fill, "none", extra);
            }
            px += run;
        }
    }
}

void DrawImage(SvgCanvas& svg, const RECT& r, const std::wstring& label)
{
    int x = r.left, y = r.top + (r.bottom - r.top - 16) / 2;
    if (label == L"folder" || label == L"drive") {
        svg.Path("M" + std::to_string(x + 1) + ' ' + std::to_string(y + 3) + " h5 l2 2 h7 v9 h-14 z", "#ffd86b", "#c9a227");
        return;
    }
    svg.Path("M" + std::to_string(x + 3) + ' ' + std::to_string(y + 1) + " h7 l3 3 v11 h-10 z", "#ffffff", "#7a7a7a");
    std::wstring tag = label.size() > 1 && label[0] == L'.' ? label.substr(1, 3) : std::wstring();
    if (!tag.empty())
        svg.Text(x + 8, y + 12, tag, "middle", "#c42b1c", "font-size=\"5\"");
}

void DrawTree(SvgCanvas& svg, HWND hwnd, POINT client)
{
    TreePicture picture;
    if (!DescribeTree(hwnd, picture))
        return;
    RECT area;
    GetClientRect(hwnd, &area);
    // Rows cut by the edges show only in part, as on the screen.
    svg.OpenClip(client.x, client.y, area.right, area.bottom);
    for (const TreeRow& row : picture.rows) {
        if (row.row.top >= area.bottom)
            break;
        auto at = [&](const RECT& r) { return RECT{r.left + client.x, r.top + client.y, r.right + client.x, r.bottom + client.y}; };
        svg.OpenGroup("tree-item", winenv::ToUtf8(row.text));
        if (!IsRectEmpty(&row.button)) {
            RECT b = at(row.button);
            int cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
            svg.Rect(cx - 4, cy - 4, 9, 9, "#ffffff", "#919191");
            svg.Line(cx - 2, cy, cx + 3, cy, "#000000");
            if (!row.expanded)
                svg.Line(cx, cy - 2, cx, cy + 3, "#000000");
        }
        if (!IsRectEmpty(&row.stateIcon)) {
            RECT s = at(row.stateIcon);
            int x = s.left + 1, y = s.top + (s.bottom - s.top - 13) / 2;
            svg.Rect(x, y, 13, 13, "#ffffff", "#333333", row.stateIndex == 2 ? "class=\"checked\"" : "class=\"unchecked\"");
            if (row.stateIndex == 2)
                DrawCheckMark(svg, x, y);
        }
        if (!IsRectEmpty(&row.icon))
            DrawImage(svg, at(row.icon), ImageListLabel(picture.normalImages, row.image));
        RECT l = at(row.label);
        if (row.selected)
            svg.Rect(l.left, l.top, l.right - l.left, l.bottom - l.top, "#cce8ff", "#99d1ff");
        svg.Text(l.left + 2, Baseline(l.top, l.bottom - l.top), row.text);
        svg.CloseGroup();
    }
    svg.CloseGroup();
}

// An arrow button: a square with a chevron pointing along the bar.
void DrawArrow(SvgCanvas& svg, int x, int y, int size, char direction, bool enabled)
{
    svg.Rect(x, y, size, size, "#f0f0f0", "none");
    int cx = x + size / 2, cy = y + size / 2;
    std::string d;
    switch (direction) {
    case 'u': d = "M" + std::to_string(cx - 4) + ' ' + std::to_string(cy + 2) + " l4 -4 l4 4"; break;
    case 'd': d = "M" + std::to_string(cx - 4) + ' ' + std::to_string(cy - 2) + " l4 4 l4 -4"; break;
    case 'l': d = "M" + std::to_string(cx + 2) + ' ' + std::to_string(cy - 4) + " l-4 4 l4 4"; break;
    default: d = "M" + std::to_string(cx - 2) + ' ' + std::to_string(cy - 4) + " l4 4 l-4 4"; break;
    }
    svg.Path(d, "none", enabled ? "#606060" : "#bfbfbf", "stroke-width=\"1.2\"");
}

// The window's own scroll bars, with the thumb where user32 puts it.
void DrawScrollBars(SvgCanvas& svg, const Window& w, POINT windowOrigin)
{
    for (int bar : {SB_VERT, SB_HORZ}) {
        RECT r = ScrollBarRect(w, bar);
        if (IsRectEmpty(&r))
            continue;
        OffsetRect(&r, windowOrigin.x, windowOrigin.y);
        const ScrollBarState& state = bar == SB_VERT ? w.vScroll : w.hScroll;
        bool vertical = bar == SB_VERT;
        int length = vertical ? r.bottom - r.top : r.right - r.left;
        int thickness = vertical ? r.right - r.left : r.bottom - r.top;
        svg.OpenGroup(vertical ? "scrollbar vertical" : "scrollbar horizontal",
            "position " + std::to_string(state.pos) + " of " + std::to_string(state.min) + ".." + std::to_string(state.max) +
                ", page " + std::to_string(state.page));
        svg.Rect(r.left, r.top, r.right - r.left, r.bottom - r.top, "#f0f0f0", "none");
        bool enabled = !state.disabled;
        int arrow = std::min(thickness, length / 2);
        DrawArrow(svg, r.left, r.top, arrow, vertical ? 'u' : 'l', enabled);
        DrawArrow(svg, vertical ? r.left : r.right - arrow, vertical ? r.bottom - arrow : r.top, arrow, vertical ? 'd' : 'r', enabled);
        int offset = 0, size = 0;
        if (ScrollThumb(state, length, offset, size)) {
            if (vertical)
                svg.Rect(r.left + 2, r.top + offset, thickness - 4, size, "#cdcdcd", "none", "class=\"thumb\"");
            else
                svg.Rect(r.left + offset, r.top + 2, size, thickness - 4, "#cdcdcd", "none", "class=\"thumb\"");
        }
        svg.CloseGroup();
    }
    // The corner between two bars is plain face.
    if ((w.style & WS_VSCROLL) && (w.style & WS_HSCROLL)) {
        RECT v = ScrollBarRect(w, SB_VERT);
        svg.Rect(windowOrigin.x + v.left, windowOrigin.y + v.bottom, v.right - v.left, v.right - v.left, "#f0f0f0", "none");
    }
}

void DrawChild(SvgCanvas& svg, HWND hwnd, POINT origin);

void DrawChildren(SvgCanvas& svg, HWND hwnd, POINT origin)
{
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (FindWindowObject(child) && (GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE))
            DrawChild(svg, child, origin);
}

void DrawChild(SvgCanvas& svg, HWND hwnd, POINT origin)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    OffsetRect(&r, -origin.x, -origin.y);
    bool enabled = IsWindowEnabled(hwnd) != FALSE;
    std::wstring cls = ClassName(hwnd);
    std::string title = "id " + std::to_string(GetDlgCtrlID(hwnd)) + ": " + winenv::ToUtf8(WindowText(hwnd));
    svg.OpenGroup("control " + winenv::ToUtf8(cls), title);
    Window* w = FindWindowObject(hwnd);
    RECT insets = NonClientInsets(w->style, w->exStyle);
    POINT client{r.left + insets.left, r.top + insets.top};
    if (IsClass(hwnd, kButtonClass)) {
        DrawButton(svg, hwnd, r, enabled);
    } else if (IsClass(hwnd, kStaticClass)) {
        DrawStatic(svg, hwnd, r, enabled);
    } else if (IsClass(hwnd, kTreeViewClass)) {
        svg.Rect(r.left, r.top, r.right - r.left, r.bottom - r.top, "#ffffff", insets.left ? "#828790" : "none");
        DrawTree(svg, hwnd, client);
    } else if (IsClass(hwnd, kAxHostClass)) {
        svg.Rect(r.left, r.top, r.right - r.left, r.bottom - r.top, "#ffffff", "#808080", "stroke-dasharray=\"4 3\"");
        svg.Text((r.left + r.right) / 2, (r.top + r.bottom) / 2, L"ActiveX " + WindowText(hwnd), "middle", kGrey);
    } else {
        svg.Rect(r.left, r.top, r.right - r.left, r.bottom - r.top, "#ffffff", "#a0a0a0");
        svg.Text(r.left + 3, r.top + 12, cls + L" " + WindowText(hwnd), "start", kGrey);
    }
    DrawScrollBars(svg, *w, POINT{r.left, r.top});
    DrawChildren(svg, hwnd, origin);
    svg.CloseGroup();
}

} // namespace

namespace winenv {

std::string DrawWindowSvg(HWND window)
{
    Window* w = FindWindowObject(window);
    if (!w)
        return std::string();
    RECT r;
    GetWindowRect(window, &r);
    POINT origin{r.left, r.top};
    int width = r.right - r.left, height = r.bottom - r.top;
    SvgCanvas svg(width, height);
    if (w->parent) {
        DrawChild(svg, window, origin);
        return svg.Finish();
    }
    RECT insets = NonClientInsets(w->style, w->exStyle);
    svg.OpenGroup("window " + ToUtf8(w->windowClass->name), ToUtf8(w->text));
    svg.Rect(0, 0, width, height, kFace, "#aaaaaa");
    if (insets.top > insets.left) {
        int captionTop = insets.left, captionHeight = insets.top - insets.left;
        svg.Rect(0, 0, width, insets.top, "#ffffff", "none");
        int textX = insets.left + 4;
        // The small icon, or the big one scaled down, as the title bar shows it.
        if (HICON icon = w->iconSmall ? w->iconSmall : w->iconBig) {
            DrawIcon16(svg, insets.left + 4, captionTop + (captionHeight - 16) / 2, icon);
            textX += 22;
        }
        svg.Text(textX, Baseline(captionTop, captionHeight), w->text, "start", kText, "font-size=\"12\"");
        if (w->style & WS_SYSMENU)
            svg.Text(width - insets.right - 23, Baseline(captionTop, captionHeight), L"\u2715", "middle", kText);
        if (w->style & WS_MAXIMIZEBOX)
            svg.Rect(width - insets.right - 23 - 46 - 5, captionTop + captionHeight / 2 - 5, 10, 10, "none", kText);
    }
    SIZE client = ClientSize(*w);
    svg.Rect(insets.left, insets.top, client.cx, client.cy, kFace, "none");
    DrawChildren(svg, window, origin);
    svg.CloseGroup();
    return svg.Finish();
}

bool SaveWindowSvg(HWND window, const std::string& path)
{
    std::string svg = DrawWindowSvg(window);
    if (svg.empty())
        return false;
    std::ofstream out(path, std::ios::binary);
    out << svg;
    return static_cast<bool>(out);
}

} // namespace winenv
