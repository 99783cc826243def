// The terminal while the dialogs own it: raw input, the alternate screen, mouse reporting. The
// terminal is given back as it was on every way out: the end of the session, exit() and the
// signals that end or stop the program.
#pragma once

#include <string>

namespace plmclient {

class TerminalSession {
public:
    TerminalSession();
    ~TerminalSession();
    TerminalSession(const TerminalSession&) = delete;
    TerminalSession& operator=(const TerminalSession&) = delete;

    // Opens the controlling terminal and switches it over; false (with a reason) when there is none.
    bool Begin(std::string& error);
    bool Active() const;

    void Write(const std::string& bytes) const;
    // Columns and rows (80 x 24 when the terminal does not say).
    void Size(int& columns, int& rows) const;

    enum class ReadResult { Bytes, Timeout, Resized, Closed };
    // Appends what the terminal sends; waits up to timeoutMs (-1: until something comes).
    ReadResult Read(std::string& into, int timeoutMs) const;
};

} // namespace plmclient
