// Whether anybody hears the trace: callers skip building costly fields when nobody does.
#pragma once

namespace win32host {

// True while a trace sink is added.
bool IsTraceHeard();

} // namespace win32host
