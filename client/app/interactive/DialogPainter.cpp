#include "DialogPainter.h"

#include <algorithm>

namespace plmclient {
namespace {

const int kTreeIndent = 2;

std::wstring Marker(const TreeRowState& row)
{
    if (!row.hasChildren)
        return L"  ";
    return row.expanded ? L"- " : L"+ ";
}

std::wstring CheckBox(int check) { return check < 0 ? L"" : check ? L"[x] " : L"[ ] "; }

// One line of small controls (check boxes, texts) from `column`; wraps onto following rows.
int PaintControlLine(ScreenBuffer& screen, int row, const std::vector<const ControlState*>& controls,
    std::vector<ScreenTarget>& targets)
{
    int column = 1;
    for (const ControlState* c : controls) {
        std::wstring text = c->kind == ControlState::CheckBox ? (c->checked ? L"[x] " : L"[ ] ") + c->text : c->text;
        if (text.empty())
            continue;
        const int width = TextWidth(text);
        if (column > 1 && column + width >= screen.Columns()) {
            ++row;
            column = 1;
        }
        unsigned char attr = c->enabled ? kPlain : kDim;
        if (c->focused)
            attr |= kInverse;
        const int end = screen.Put(column, row, text, attr);
        if (c->kind != ControlState::Label)
            targets.push_back({row, column, end, ScreenTarget::Control, nullptr, c->hwnd});
        column = end + 3;
    }
    return row + 1;
}

void PaintTree(ScreenBuffer& screen, int top, int height, const DialogPaintInput& input,
    std::vector<ScreenTarget>& targets)
{
    const DialogState& state = *input.state;
    const ControlState* treeControl = nullptr;
    for (const ControlState& c : state.controls)
        if (c.hwnd == state.tree)
            treeControl = &c;
    const int width = screen.Columns();
    screen.Box(0, top, width, height, treeControl && treeControl->focused ? L"▶" : L"");
    const int inner = height - 2;
    if (inner <= 0)
        return;
    int& scroll = *input.treeScroll;
    int selected = -1;
    for (size_t i = 0; i < state.rows.size(); ++i)
        if (state.rows[i].selected)
            selected = static_cast<int>(i);
    if (selected >= 0) {
        if (selected < scroll)
            scroll = selected;
        if (selected >= scroll + inner)
            scroll = selected - inner + 1;
    }
    scroll = std::max(0, std::min(scroll, std::max(0, static_cast<int>(state.rows.size()) - inner)));
    if (state.rows.empty())
        screen.Put(2, top + 1, L"(empty)", kDim);
    for (int i = 0; i < inner && scroll + i < static_cast<int>(state.rows.size()); ++i) {
        const TreeRowState& row = state.rows[static_cast<size_t>(scroll + i)];
        const int y = top + 1 + i;
        if (row.selected) // readable without colours too
            screen.Put(1, y, L">", kBold);
        int x = 2 + row.depth * kTreeIndent;
        const std::wstring marker = Marker(row);
        if (row.hasChildren)
            targets.push_back({y, x, x + 1, ScreenTarget::TreeExpander, row.item, state.tree});
        x = screen.Put(x, y, marker, kBold, width - 1);
        if (row.check >= 0) {
            const int end = screen.Put(x, y, CheckBox(row.check), kPlain, width - 1);
            targets.push_back({y, x, end - 1, ScreenTarget::TreeCheckBox, row.item, state.tree});
            x = end;
        }
        const int end = screen.Put(x, y, row.text, row.selected ? kInverse : kPlain, width - 1);
        targets.push_back({y, x, end, ScreenTarget::TreeLabel, row.item, state.tree});
    }
    if (scroll > 0)
        screen.Put(width - 3, top + 1, L"↑", kBold);
    if (scroll + inner < static_cast<int>(state.rows.size()))
        screen.Put(width - 3, top + height - 2, L"↓", kBold);
}

void PaintActiveX(ScreenBuffer& screen, int top, int height, const ControlState& control,
    const std::vector<std::wstring>& lines)
{
    screen.Box(0, top, screen.Columns(), height, L"ActiveX " + control.text);
    int y = top + 1;
    for (const std::wstring& line : lines) {
        if (y >= top + height - 1)
            break;
        screen.Put(2, y++, line, kPlain, screen.Columns() - 1);
    }
}

} // namespace

std::wstring TreeRowText(const TreeRowState& row)
{
    return std::wstring(static_cast<size_t>(row.depth * kTreeIndent), L' ') + Marker(row) + CheckBox(row.check) + row.text;
}

void PaintDialog(ScreenBuffer& screen, const DialogPaintInput& input, std::vector<ScreenTarget>& targets)
{
    const DialogState& state = *input.state;
    const int width = screen.Columns(), height = screen.Rows();
    screen.Fill(0, 0, width, L' ', kInverse);
    screen.Put(1, 0, state.caption, kInverse | kBold);

    std::vector<const ControlState*> small, buttons;
    const ControlState* body = nullptr;
    for (const ControlState& c : state.controls) {
        if (c.kind == ControlState::PushButton)
            buttons.push_back(&c);
        else if (c.kind == ControlState::Tree || c.kind == ControlState::ActiveX) {
            if (!body)
                body = &c;
        } else
            small.push_back(&c);
    }

    int row = 2;
    if (!small.empty())
        row = PaintControlLine(screen, row, small, targets) + 1;

    // From the bottom up: key help, log, buttons.
    const int helpRow = height - 1;
    screen.Put(0, helpRow, input.help, kDim);
    const int logLines = height >= 20 ? 2 : height >= 14 ? 1 : 0;
    const size_t shown = std::min(input.log.size(), static_cast<size_t>(logLines));
    for (size_t i = 0; i < shown; ++i)
        screen.Put(0, helpRow - static_cast<int>(shown) + static_cast<int>(i), input.log[input.log.size() - shown + i], kDim);
    int buttonRow = helpRow - logLines - 1;
    if (!buttons.empty()) {
        int total = 0;
        for (const ControlState* b : buttons)
            total += TextWidth(b->text) + 4 + 2;
        int x = std::max(1, width - total);
        for (const ControlState* b : buttons) {
            const std::wstring text = L"[ " + b->text + L" ]";
            unsigned char attr = b->enabled ? kBold : kDim;
            if (b->focused)
                attr |= kInverse;
            const int end = screen.Put(x, buttonRow, text, attr);
            targets.push_back({buttonRow, x, end, ScreenTarget::Control, nullptr, b->hwnd});
            x = end + 2;
        }
    } else
        buttonRow += 1;

    const int bodyHeight = buttonRow - 1 - row + 1;
    if (body && bodyHeight >= 3) {
        if (body->kind == ControlState::Tree)
            PaintTree(screen, row, bodyHeight, input, targets);
        else
            PaintActiveX(screen, row, bodyHeight, *body, input.activeXLines);
    }
}

} // namespace plmclient
