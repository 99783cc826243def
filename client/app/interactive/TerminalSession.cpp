#include "TerminalSession.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace plmclient {
namespace {

// Signal handlers reach this state, so it is plain data.
int g_fd = -1;
bool g_active = false;
bool g_atexitInstalled = false;
termios g_saved;
int g_resizePipe[2] = {-1, -1};

const char kEnter[] = "\x1b[?1049h\x1b[?25l\x1b[?1000h\x1b[?1006h\x1b[H\x1b[2J";
const char kLeave[] = "\x1b[?1006l\x1b[?1000l\x1b[0m\x1b[?25h\x1b[?1049l";

const int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGPIPE};

void WriteAll(const char* p, size_t n)
{
    while (n > 0) {
        const ssize_t w = ::write(g_fd, p, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return;
        p += w;
        n -= static_cast<size_t>(w);
    }
}

void MakeRaw()
{
    termios raw = g_saved;
    raw.c_iflag &= ~static_cast<tcflag_t>(BRKINT | ICRNL | INPCK | ISTRIP | IXON);
    raw.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    raw.c_cflag |= CS8;
    // ISIG stays on: Ctrl-C ends the program through SIGINT, which gives the terminal back.
    raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | IEXTEN);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(g_fd, TCSAFLUSH, &raw);
    WriteAll(kEnter, sizeof kEnter - 1);
}

// Async-signal-safe: write() and tcsetattr() only.
void Restore()
{
    if (!g_active)
        return;
    WriteAll(kLeave, sizeof kLeave - 1);
    tcsetattr(g_fd, TCSAFLUSH, &g_saved);
}

void OnEndingSignal(int sig)
{
    Restore();
    g_active = false;
    signal(sig, SIG_DFL);
    raise(sig);
}

void OnStop(int)
{
    Restore();
    signal(SIGTSTP, SIG_DFL);
    raise(SIGTSTP);
}

void OnContinue(int)
{
    signal(SIGTSTP, OnStop);
    if (g_active) {
        MakeRaw();
        const char c = 'r'; // redraw everything
        (void)!::write(g_resizePipe[1], &c, 1);
    }
}

void OnResize(int)
{
    const char c = 'r';
    (void)!::write(g_resizePipe[1], &c, 1);
}

void RestoreAtExit() { Restore(); }

} // namespace

TerminalSession::TerminalSession() = default;

TerminalSession::~TerminalSession()
{
    if (!g_active)
        return;
    Restore();
    g_active = false;
    for (int sig : kEndingSignals)
        signal(sig, SIG_DFL);
    signal(SIGTSTP, SIG_DFL);
    signal(SIGCONT, SIG_DFL);
    signal(SIGWINCH, SIG_DFL);
    ::close(g_fd);
    g_fd = -1;
}

bool TerminalSession::Begin(std::string& error)
{
    if (g_active)
        return true;
    g_fd = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
    if (g_fd < 0 || tcgetattr(g_fd, &g_saved) != 0) {
        error = "no terminal to show the dialogs on";
        if (g_fd >= 0)
            ::close(g_fd);
        g_fd = -1;
        return false;
    }
    if (g_resizePipe[0] < 0 && pipe2(g_resizePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = "cannot watch the terminal's size";
        return false;
    }
    if (!g_atexitInstalled) {
        std::atexit(RestoreAtExit);
        g_atexitInstalled = true;
    }
    for (int sig : kEndingSignals)
        signal(sig, OnEndingSignal);
    signal(SIGTSTP, OnStop);
    signal(SIGCONT, OnContinue);
    signal(SIGWINCH, OnResize);
    g_active = true;
    MakeRaw();
    return true;
}

bool TerminalSession::Active() const { return g_active; }

void TerminalSession::Write(const std::string& bytes) const
{
    if (g_active)
        WriteAll(bytes.data(), bytes.size());
}

void TerminalSession::Size(int& columns, int& rows) const
{
    winsize ws{};
    if (g_fd >= 0 && ioctl(g_fd, TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0 && ws.ws_row > 0) {
        columns = ws.ws_col;
        rows = ws.ws_row;
    } else {
        columns = 80;
        rows = 24;
    }
}

TerminalSession::ReadResult TerminalSession::Read(std::string& into, int timeoutMs) const
{
    for (;;) {
        pollfd fds[2] = {{g_fd, POLLIN, 0}, {g_resizePipe[0], POLLIN, 0}};
        const int n = poll(fds, 2, timeoutMs);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return ReadResult::Timeout;
        if (fds[1].revents & POLLIN) {
            char drain[64];
            while (::read(g_resizePipe[0], drain, sizeof drain) > 0) {
            }
            return ReadResult::Resized;
        }
        char buffer[256];
        const ssize_t r = ::read(g_fd, buffer, sizeof buffer);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return ReadResult::Closed;
        into.append(buffer, static_cast<size_t>(r));
        return ReadResult::Bytes;
    }
}

} // namespace plmclient
