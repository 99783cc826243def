#include "TerminalUser.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

#include <winenv/Paths.h>

#include "../TranscriptPrinter.h"
#include "DialogState.h"
#include "FolderCompletion.h"

namespace plmclient {
namespace {

const size_t kLogLines = 20;
const int kEscapeWaitMs = 40; // how long a lone Escape waits for the rest of a sequence

std::wstring Wide(const std::string& s) { return winenv::FromUtf8(s); }

// wcwidth needs a UTF-8 character type to know that Chinese takes two cells.
void UseUtf8CharacterType()
{
    std::setlocale(LC_CTYPE, "");
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
}

const wchar_t kManagerHelp[] =
    L"↑↓ select  →← open/close  Space toggle  Enter/c click box  d/p/s filters  o/F5 view  P print  D download  "
    L"Tab focus  Esc/q cancel";
const wchar_t kDialogHelp[] = L"Tab focus  Space/Enter press  Esc close";
const wchar_t kBoxHelp[] = L"←→ choose  Enter press  Esc cancel";

bool MakeFolders(const std::string& path)
{
    for (size_t i = 1; i <= path.size(); ++i)
        if (i == path.size() || path[i] == '/')
            if (::mkdir(path.substr(0, i).c_str(), 0777) != 0 && errno != EEXIST)
                return false;
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Absolute(std::string path)
{
    if (!path.empty() && path[0] != '/') {
        char cwd[PATH_MAX];
        if (getcwd(cwd, sizeof cwd))
            path = std::string(cwd) + "/" + path;
    }
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

TerminalUser::TerminalUser() : m_uiThread(std::this_thread::get_id())
{
    UseUtf8CharacterType();
    m_traceCookie = winenv::AddTraceSink([this](const winenv::TraceEvent& e) { Observe(e); });
}

TerminalUser::~TerminalUser() { winenv::RemoveTraceSink(m_traceCookie); }

bool TerminalUser::EnsureTerminal()
{
    if (m_gone)
        return false;
    if (m_terminal.Active())
        return true;
    if (!m_terminal.Begin(m_error)) {
        m_gone = true;
        return false;
    }
    return true;
}

void TerminalUser::Observe(const winenv::TraceEvent& e)
{
    if (e.kind == "sql" || e.kind == "wait")
        return;
    bool redraw = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_log.push_back(Wide(FormatEventText(e)));
        while (m_log.size() > kLogLines)
            m_log.pop_front();
        if (e.kind == "viewer") {
            const std::string path = winenv::ToPosixPath(Wide(e.Get("path")));
            if (e.Get("method") == "OpenFile") {
                struct stat st;
                const bool there = stat(path.c_str(), &st) == 0;
                m_viewerLines.push_back(L"file:    " + Wide(path) +
                    (there ? L"  (" + std::to_wstring(st.st_size) + L" bytes)" : L"  (missing)"));
                m_viewerLines.push_back(L"program: " + (e.Get("program").empty() ? L"(none in the viewer map)"
                    : Wide(e.Get("program")) + L"  launched: " + Wide(e.Get("launched"))));
            } else if (e.Get("method") == "SetViewerMap")
                m_viewerLines.push_back(L"viewer map: " + Wide(path) + L"  loaded: " + Wide(e.Get("loaded")));
        }
        if (e.kind == "dialog" && e.Get("event") == "close")
            m_viewerLines.clear(); // what a viewer showed goes with it
        if (e.kind == "file_written" && m_wait) {
            m_wait->file = Wide(winenv::ToPosixPath(Wide(e.Get("path"))));
            redraw = true;
        }
    }
    if (redraw && std::this_thread::get_id() == m_uiThread && m_terminal.Active())
        Redraw();
}

void TerminalUser::OnWait(const qvclient::WaitEvent& e)
{
    if (e.event == L"end") {
        m_wait.reset();
    } else {
        if (e.event == L"begin" || !m_wait) {
            m_waitStart = std::chrono::steady_clock::now();
            m_wait = WaitView{};
        }
        m_wait->caption = e.caption;
        m_wait->position = e.position;
        m_wait->total = e.total;
        if (!e.text.empty())
            m_wait->file = e.text;
        m_wait->seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_waitStart).count();
    }
    if (EnsureTerminal())
        Redraw();
}

void TerminalUser::Redraw()
{
    int columns = 80, rows = 24;
    m_terminal.Size(columns, rows);
    ScreenBuffer screen(columns, rows);
    m_targets.clear();
    std::vector<ScreenTarget> dialogTargets;
    HWND dialog = nullptr;
    for (auto it = m_dialogs.rbegin(); it != m_dialogs.rend() && !dialog; ++it)
        if (IsWindow(*it) && IsWindowVisible(*it))
            dialog = *it;
    if (dialog) {
        const DialogState state = ReadDialogState(dialog);
        DialogPaintInput input;
        input.state = &state;
        input.treeScroll = &m_treeScroll[dialog];
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            input.log.assign(m_log.begin(), m_log.end());
            input.activeXLines = m_viewerLines;
        }
        input.help = m_box ? kBoxHelp : state.tree ? kManagerHelp : kDialogHelp;
        PaintDialog(screen, input, dialogTargets);
    } else {
        // No dialog yet (document-list commands): what the command has done so far.
        screen.Fill(0, 0, columns, L' ', kInverse);
        screen.Put(1, 0, L"plmclient", kInverse | kBold);
        std::lock_guard<std::mutex> lock(m_mutex);
        const size_t shown = std::min(m_log.size(), static_cast<size_t>(std::max(0, rows - 2)));
        for (size_t i = 0; i < shown; ++i)
            screen.Put(0, 2 + static_cast<int>(i), m_log[m_log.size() - shown + i], kDim);
    }
    if (m_wait)
        PaintWait(screen, *m_wait);
    if (m_box)
        PaintMessageBox(screen, *m_box, m_targets); // only the box takes clicks while it is up
    else if (m_prompt)
        PaintFolderPrompt(screen, *m_prompt);
    else
        m_targets = dialogTargets;
    m_terminal.Write(screen.Render());
}

bool TerminalUser::NextEvent(InputEvent& event)
{
    for (;;) {
        if (DecodeInput(m_pending, false, event))
            return true;
        const bool waitingForRest = !m_pending.empty();
        switch (m_terminal.Read(m_pending, waitingForRest ? kEscapeWaitMs : -1)) {
        case TerminalSession::ReadResult::Bytes:
            break;
        case TerminalSession::ReadResult::Timeout:
            if (DecodeInput(m_pending, true, event))
                return true;
            break;
        case TerminalSession::ReadResult::Resized:
            Redraw();
            break;
        case TerminalSession::ReadResult::Closed:
            m_gone = true;
            return false;
        }
    }
}

void TerminalUser::OnModalDialog(HWND dialog)
{
    // Without a terminal the dialog is closed, as when nobody is there to answer it.
    if (!EnsureTerminal())
        return;
    // Windows activates a modal dialog as it shows it; the headless one can leave the focus in
    // the owner it disabled (the viewer, whose only control is an ActiveX host), where keys die.
    const HWND focusBefore = GetFocus();
    if (GetFocus() != dialog && !IsChild(dialog, GetFocus()))
        SetFocus(dialog);
    m_dialogs.push_back(dialog);
    while (IsWindow(dialog) && IsWindowVisible(dialog)) {
        Redraw();
        InputEvent event;
        if (!NextEvent(event))
            break;
        m_input.Act(dialog, event, m_targets);
    }
    m_dialogs.pop_back();
    // ...and gives the focus back to where it was in the owner when the dialog ends.
    if (focusBefore && IsWindow(focusBefore) && (!GetFocus() || !IsWindow(GetFocus())) && IsWindowEnabled(GetAncestor(focusBefore, GA_ROOT)))
        SetFocus(focusBefore);
}

int TerminalUser::OnMessageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT type)
{
    const std::vector<int> buttons = winenv::MessageBoxButtons(type);
    const int defaultButton = winenv::MessageBoxDefaultButton(type);
    const auto offers = [&](int id) { return std::find(buttons.begin(), buttons.end(), id) != buttons.end(); };
    // Escape is Cancel when the box has it; a box with OK alone closes with OK.
    const int escapeAnswer = offers(IDCANCEL) ? IDCANCEL : buttons.size() == 1 && buttons[0] == IDOK ? IDOK : 0;
    if (!EnsureTerminal())
        return escapeAnswer ? escapeAnswer : defaultButton;

    const std::optional<MessageBoxView> outer = m_box;
    MessageBoxView box{caption, text, type, buttons, 0};
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i] == defaultButton)
            box.chosen = i;
    m_box = box;
    int answer = 0;
    while (!answer) {
        Redraw();
        InputEvent e;
        if (!NextEvent(e)) {
            answer = escapeAnswer ? escapeAnswer : defaultButton;
            break;
        }
        size_t& chosen = m_box->chosen;
        switch (e.key) {
        case Key::Left:
        case Key::BackTab:
            chosen = (chosen + buttons.size() - 1) % buttons.size();
            break;
        case Key::Right:
        case Key::Tab:
            chosen = (chosen + 1) % buttons.size();
            break;
        case Key::Enter:
            answer = buttons[chosen];
            break;
        case Key::Escape:
            answer = escapeAnswer;
            break;
        case Key::Mouse:
            if (e.press && e.button == 0)
                for (const ScreenTarget& t : m_targets)
                    if (t.kind == ScreenTarget::MessageBoxButton && t.row == e.row && e.column >= t.left && e.column < t.right)
                        answer = t.id;
            break;
        case Key::Char: {
            if (e.ch == L' ') {
                answer = buttons[chosen];
                break;
            }
            // The access keys of the Chinese buttons: 是(Y) 否(N) 重试(R) ...
            static const std::map<wchar_t, int> access = {{L'y', IDYES}, {L'n', IDNO}, {L'a', IDABORT},
                {L'r', IDRETRY}, {L'i', IDIGNORE}, {L't', IDTRYAGAIN}, {L'c', IDCONTINUE}};
            const auto it = access.find(static_cast<wchar_t>(std::towlower(static_cast<wint_t>(e.ch))));
            if (it != access.end() && offers(it->second))
                answer = it->second;
            break;
        }
        default:
            break;
        }
    }
    m_box = outer;
    return answer;
}

std::optional<std::wstring> TerminalUser::OnBrowseForFolder(HWND, const std::wstring& title)
{
    if (!EnsureTerminal())
        return std::nullopt;
    m_prompt = FolderPromptView{title, L"", {}, L""};
    std::wstring confirmMissing; // a missing folder typed once: Enter again makes it
    std::optional<std::wstring> answer;
    for (bool done = false; !done;) {
        Redraw();
        InputEvent e;
        if (!NextEvent(e))
            break;
        FolderPromptView& p = *m_prompt;
        switch (e.key) {
        case Key::Char:
            p.text += e.ch;
            p.note.clear();
            break;
        case Key::Backspace:
            if (!p.text.empty())
                p.text.pop_back();
            p.note.clear();
            break;
        case Key::CtrlU:
            p.text.clear();
            break;
        case Key::Tab: {
            const std::string typed = ExpandHome(winenv::ToUtf8(p.text));
            const FolderCompletion c = CompleteFolder(typed);
            p.text = Wide(c.text);
            p.choices.clear();
            for (const std::string& name : c.candidates)
                p.choices.push_back(Wide(name));
            p.note = c.candidates.empty() && c.text == typed ? L"no folder starts so" : L"";
            break;
        }
        case Key::Escape:
            done = true;
            break;
        case Key::Enter: {
            if (p.text.empty()) {
                done = true;
                break;
            }
            const std::string path = Absolute(ExpandHome(winenv::ToUtf8(p.text)));
            struct stat st;
            if (stat(path.c_str(), &st) == 0) {
                if (S_ISDIR(st.st_mode)) {
                    answer = Wide(path);
                    done = true;
                } else
                    p.note = L"not a folder: " + Wide(path);
            } else if (confirmMissing == p.text) {
                if (MakeFolders(path)) {
                    answer = Wide(path);
                    done = true;
                } else
                    p.note = L"cannot make " + Wide(path) + L": " + Wide(std::strerror(errno));
            } else {
                confirmMissing = p.text;
                p.note = L"no such folder: Enter again makes it";
            }
            break;
        }
        default:
            break;
        }
    }
    m_prompt.reset();
    return answer;
}

} // namespace plmclient
