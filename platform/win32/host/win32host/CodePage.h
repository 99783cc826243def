// The system's ANSI code page (what CP_ACP means). Windows takes it from the
// system locale; the module's users run Chinese (PRC) Windows, so the default is 936 (GBK). The
// environment variable WIN32_ANSI_CODE_PAGE (936 or 65001) sets it for a process.
// Not a Windows API: never included by the module.
#pragma once

#include <windef.h>

namespace win32host {

UINT AnsiCodePage();
// Only 936 and 65001 (CP_UTF8) are known; false for any other, which leaves the setting as it was.
bool SetAnsiCodePage(UINT codePage);

} // namespace win32host
