// The thread's last error, and the translation of POSIX errno values into Win32 error codes.
#pragma once

#include <windef.h>

namespace win32core {

DWORD Win32ErrorFromErrno(int err);
// Sets the last error from errno and returns FALSE, for the failure path of a BOOL function.
BOOL FailWithErrno();
BOOL FailWith(DWORD error);

} // namespace win32core
