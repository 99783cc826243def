// The stand-in's trace: sinks hear every event in the order they were added, and a trace with
// no sink is dropped (callers ask IsTraceHeard before they build costly fields).
#include "winenv/Trace.h"
#include "winenv/TraceHeard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Trace, HeardOnlyWhileASinkIsAddedAndInTheOrderAdded)
{
    struct Step {
        const char* name;
        int add;        // sinks added in this step
        int removeLast; // of those added so far, removed from the last one back
        bool heard;
        size_t events;  // what the first added sink has received by then
    };
    const Step steps[] = {
        {"nobody", 0, 0, false, 0},
        {"one sink", 1, 0, true, 1},
        {"two sinks", 1, 0, true, 2},
        {"one of two removed", 0, 1, true, 3},
        {"the last removed", 0, 1, false, 3},
    };
    ASSERT_FALSE(winenv::IsTraceHeard()) << "a sink is left over from an earlier test";
    std::vector<int> cookies;
    std::vector<std::string> firstHeard;
    for (const Step& step : steps) {
        for (int i = 0; i < step.add; ++i)
            cookies.push_back(winenv::AddTraceSink([&firstHeard, isFirst = cookies.empty()](const winenv::TraceEvent& e) {
                if (isFirst)
                    firstHeard.push_back(e.Get("step"));
            }));
        for (int i = 0; i < step.removeLast; ++i) {
            winenv::RemoveTraceSink(cookies.back());
            cookies.pop_back();
        }
        EXPECT_EQ(step.heard, winenv::IsTraceHeard()) << step.name;
        winenv::Trace("test", {{"step", step.name}});
        EXPECT_EQ(step.events, firstHeard.size()) << step.name;
    }

    std::vector<std::string> heard;
    const int first = winenv::AddTraceSink([&heard](const winenv::TraceEvent& e) { heard.push_back("1" + e.kind); });
    const int second = winenv::AddTraceSink([&heard](const winenv::TraceEvent& e) { heard.push_back("2" + e.kind); });
    winenv::Trace("a", {});
    winenv::Trace(winenv::TraceEvent{"b", {}});
    winenv::RemoveTraceSink(first);
    winenv::RemoveTraceSink(second);
    EXPECT_EQ((std::vector<std::string>{"1a", "2a", "1b", "2b"}), heard);
}

} // namespace
