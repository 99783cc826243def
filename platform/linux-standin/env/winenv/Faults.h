// Faults the stand-in can inject, for tests of the failure paths that Windows reaches only when
// the system runs short. Not a Windows API: never included by the module.
#pragma once

namespace winenv {

// The next `count` BSTR allocations (SysAllocString*, and so every _bstr_t
// that allocates) fail as when memory is exhausted; 0 ends the fault.
void FailNextBstrAllocations(int count);

} // namespace winenv
