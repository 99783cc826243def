#include "Overlays.h"

#include <algorithm>
#include <cstdio>

namespace plmclient {
namespace {

// Breaks text at line ends and where it would pass `width` cells.
std::vector<std::wstring> Wrap(const std::wstring& text, int width)
{
    std::vector<std::wstring> lines(1);
    int used = 0;
    for (wchar_t ch : text) {
        if (ch == L'\r')
            continue;
        if (ch == L'\n') {
            lines.emplace_back();
            used = 0;
            continue;
        }
        const int w = CharWidth(ch);
        if (used + w > width) {
            lines.emplace_back();
            used = 0;
        }
        lines.back() += ch;
        used += w;
    }
    return lines;
}

struct Frame {
    int left, top, width, height;
};

Frame Centre(const ScreenBuffer& screen, int width, int height)
{
    width = std::min(width, screen.Columns());
    height = std::min(height, screen.Rows());
    return {(screen.Columns() - width) / 2, (screen.Rows() - height) / 2, width, height};
}

} // namespace

std::wstring ButtonText(int id)
{
    switch (id) {
    case IDOK: return L"确定";
    case IDCANCEL: return L"取消";
    case IDABORT: return L"中止(A)";
    case IDRETRY: return L"重试(R)";
    case IDIGNORE: return L"忽略(I)";
    case IDYES: return L"是(Y)";
    case IDNO: return L"否(N)";
    case IDTRYAGAIN: return L"重试(T)";
    case IDCONTINUE: return L"继续(C)";
    default: return L"?";
    }
}

std::wstring IconText(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR: return L"(x) error";
    case MB_ICONQUESTION: return L"(?) question";
    case MB_ICONWARNING: return L"(!) warning";
    case MB_ICONINFORMATION: return L"(i) information";
    default: return L"";
    }
}

void PaintMessageBox(ScreenBuffer& screen, const MessageBoxView& box, std::vector<ScreenTarget>& targets)
{
    const int maxText = std::max(10, std::min(60, screen.Columns() - 8));
    const std::vector<std::wstring> lines = Wrap(box.text, maxText);
    int textWidth = TextWidth(box.caption) + 4;
    for (const std::wstring& line : lines)
        textWidth = std::max(textWidth, TextWidth(line));
    int buttonsWidth = 0;
    for (int id : box.buttons)
        buttonsWidth += TextWidth(ButtonText(id)) + 6;
    const std::wstring icon = IconText(box.type);
    textWidth = std::max({textWidth, buttonsWidth, TextWidth(icon)});
    const int height = static_cast<int>(lines.size()) + (icon.empty() ? 0 : 1) + 5;
    const Frame f = Centre(screen, textWidth + 6, height);
    screen.Box(f.left, f.top, f.width, f.height, box.caption);
    int y = f.top + 2;
    if (!icon.empty())
        screen.Put(f.left + 3, y - 1, icon, kBold);
    if (!icon.empty())
        ++y;
    for (const std::wstring& line : lines)
        screen.Put(f.left + 3, y++, line, kPlain, f.left + f.width - 2);
    int x = f.left + f.width - 2 - buttonsWidth;
    for (size_t i = 0; i < box.buttons.size(); ++i) {
        const std::wstring text = L"< " + ButtonText(box.buttons[i]) + L" >";
        const int end = screen.Put(x, f.top + f.height - 2, text, i == box.chosen ? kInverse | kBold : kBold);
        targets.push_back({f.top + f.height - 2, x, end, ScreenTarget::MessageBoxButton, nullptr, nullptr, box.buttons[i]});
        x = end + 2;
    }
}

void PaintFolderPrompt(ScreenBuffer& screen, const FolderPromptView& prompt)
{
    const int shownChoices = std::min<int>(static_cast<int>(prompt.choices.size()), std::max(0, screen.Rows() - 10));
    const Frame f = Centre(screen, std::max(40, screen.Columns() - 8), 7 + shownChoices);
    screen.Box(f.left, f.top, f.width, f.height, prompt.title);
    screen.Put(f.left + 2, f.top + 1, L"Folder (Tab completes, Enter chooses, empty Enter or Esc cancels):", kDim,
        f.left + f.width - 1);
    // The end of a long path stays in sight.
    std::wstring text = prompt.text;
    const int room = f.width - 7;
    while (TextWidth(text) > room && !text.empty())
        text.erase(0, 1);
    const int end = screen.Put(f.left + 2, f.top + 3, L"> " + text, kBold, f.left + f.width - 1);
    screen.Put(end, f.top + 3, L" ", kInverse); // the cursor
    for (int i = 0; i < shownChoices; ++i)
        screen.Put(f.left + 4, f.top + 5 + i, prompt.choices[static_cast<size_t>(i)] + L"/", kPlain, f.left + f.width - 1);
    if (!prompt.note.empty())
        screen.Put(f.left + 2, f.top + f.height - 2, prompt.note, kBold, f.left + f.width - 1);
}

void PaintWait(ScreenBuffer& screen, const WaitView& wait)
{
    // Below the middle, so that a message box shown meanwhile leaves it in sight.
    Frame f = Centre(screen, std::max(40, std::min(screen.Columns() - 4, 76)), 6);
    f.top = std::max(0, std::min(screen.Rows() - f.height, screen.Rows() * 2 / 3));
    screen.Box(f.left, f.top, f.width, f.height, wait.caption);
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, " %ld/%ld  %.1fs", wait.position, wait.total, wait.seconds);
    const std::wstring tail(numbers, numbers + std::char_traits<char>::length(numbers));
    const int barWidth = std::max(5, f.width - 6 - TextWidth(tail));
    const int filled = wait.total > 0 ? static_cast<int>(barWidth * std::min(wait.position, wait.total) / wait.total) : 0;
    const std::wstring bar = L"[" + std::wstring(static_cast<size_t>(filled), L'#') +
        std::wstring(static_cast<size_t>(barWidth - filled), L'.') + L"]";
    screen.Put(f.left + 2, f.top + 2, bar + tail, kBold, f.left + f.width - 1);
    if (!wait.file.empty())
        screen.Put(f.left + 2, f.top + 3, wait.file, kPlain, f.left + f.width - 1);
}

} // namespace plmclient
