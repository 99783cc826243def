// The stand-in's trace: one event for every effect the module has on the outside world
// (message box, SQL statement, error report, plug-in call, file written, ...). The program
// prints the events as a transcript; tests read them. Not a Windows API: never included by the
// module.
#pragma once

#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace winenv {

struct TraceEvent {
    std::string kind;                                        // "messagebox", "sql", ...
    std::vector<std::pair<std::string, std::string>> fields; // UTF-8, in the order given

    // The value of a field, empty when absent.
    std::string Get(const std::string& name) const;
};

using TraceSink = std::function<void(const TraceEvent&)>;

// Sinks are called synchronously, in the order they were added. Returns a cookie for RemoveTraceSink.
int AddTraceSink(TraceSink sink);
void RemoveTraceSink(int cookie);

void Trace(const std::string& kind, std::initializer_list<std::pair<std::string, std::string>> fields);
void Trace(const TraceEvent& event);

// Collects every event while it lives; for tests.
class TraceRecorder {
public:
    TraceRecorder();
    ~TraceRecorder();
    TraceRecorder(const TraceRecorder&) = delete;
    TraceRecorder& operator=(const TraceRecorder&) = delete;

    const std::vector<TraceEvent>& Events() const { return m_events; }
    std::vector<TraceEvent> OfKind(const std::string& kind) const;
    void Clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.clear();
    }

private:
    mutable std::mutex m_mutex; // events may come from any thread
    std::vector<TraceEvent> m_events;
    int m_cookie;
};

// UTF-8 <-> wide text at the POSIX boundary.
std::string ToUtf8(const std::wstring& text);
std::string ToUtf8(const wchar_t* text);
std::wstring FromUtf8(const std::string& text);
// The same into a string the caller keeps, its buffer used again: a statement's text on its way
// to the database.
void ToUtf8(std::wstring_view text, std::string& out);

} // namespace winenv
