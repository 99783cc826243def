#include "winenv/Trace.h"
#include "winenv/TraceHeard.h"

#include <atomic>
#include <map>
#include <mutex>

namespace winenv {

namespace {

struct SinkList {
    std::mutex mutex;
    std::map<int, TraceSink> sinks; // cookies grow, so map order is the order of adding
    int nextCookie = 1;
    std::atomic<size_t> count{0};   // read without the lock: a trace nobody hears costs nothing
};

SinkList& Sinks()
{
    static SinkList list;
    return list;
}

} // namespace

std::string TraceEvent::Get(const std::string& name) const
{
    for (const auto& field : fields)
        if (field.first == name)
            return field.second;
    return std::string();
}

int AddTraceSink(TraceSink sink)
{
    SinkList& list = Sinks();
    std::lock_guard<std::mutex> lock(list.mutex);
    const int cookie = list.nextCookie++;
    list.sinks.emplace(cookie, std::move(sink));
    list.count = list.sinks.size();
    return cookie;
}

void RemoveTraceSink(int cookie)
{
    SinkList& list = Sinks();
    std::lock_guard<std::mutex> lock(list.mutex);
    list.sinks.erase(cookie);
    list.count = list.sinks.size();
}

bool IsTraceHeard() { return Sinks().count.load(std::memory_order_relaxed) != 0; }

void Trace(const TraceEvent& event)
{
    // Sinks run outside the lock so that a sink may trace or add sinks itself.
    if (!IsTraceHeard())
        return;
    std::vector<TraceSink> sinks;
    {
        SinkList& list = Sinks();
        std::lock_guard<std::mutex> lock(list.mutex);
        for (const auto& entry : list.sinks)
            sinks.push_back(entry.second);
    }
    for (const auto& sink : sinks)
        sink(event);
}

void Trace(const std::string& kind, std::initializer_list<std::pair<std::string, std::string>> fields)
{
    if (!IsTraceHeard())
        return;
    Trace(TraceEvent{kind, std::vector<std::pair<std::string, std::string>>(fields)});
}

TraceRecorder::TraceRecorder()
    : m_cookie(AddTraceSink([this](const TraceEvent& event) {
          std::lock_guard<std::mutex> lock(m_mutex);
          m_events.push_back(event);
      }))
{
}

TraceRecorder::~TraceRecorder() { RemoveTraceSink(m_cookie); }

std::vector<TraceEvent> TraceRecorder::OfKind(const std::string& kind) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<TraceEvent> found;
    for (const auto& event : m_events)
        if (event.kind == kind)
            found.push_back(event);
    return found;
}

} // namespace winenv
