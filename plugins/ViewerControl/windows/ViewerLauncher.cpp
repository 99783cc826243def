// Windows: the viewer program runs on its own, without a console, the file as its one argument.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include <winenv/Trace.h>

#include "../ViewerLauncher.h"

namespace viewer {

bool LaunchingEnabled()
{
    const char* v = std::getenv("PLM_VIEWER_LAUNCH");
    return v && std::strcmp(v, "1") == 0;
}

bool LaunchViewer(const std::string& program, const std::string& file)
{
    std::wstring strCommand = L"\"" + winenv::FromUtf8(program) + L"\" \"" + winenv::FromUtf8(file) + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(NULL, &strCommand[0], NULL, NULL, FALSE, DETACHED_PROCESS, NULL, NULL, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

} // namespace viewer
