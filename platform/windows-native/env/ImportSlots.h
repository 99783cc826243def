// The desktop stands between the program and a system function it must see (EndDialog's result,
// ShellExecuteW's request) by pointing the import address table slots of every loaded module
// that hold the function at another, as a test harness does. Modules loaded later keep the real one.
#pragma once

#include <windows.h>

namespace winenv {

void RedirectImports(FARPROC from, FARPROC to);

} // namespace winenv
