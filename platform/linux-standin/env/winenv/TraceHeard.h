// Whether anybody hears the trace: callers skip building costly fields when nobody does.
#pragma once

namespace winenv {

// True while a trace sink is added.
bool IsTraceHeard();

} // namespace winenv
