#include "LocalUser.h"

#include <windows.h>

#include <winenv/Trace.h>

namespace qvclient {

std::string DesktopUserName()
{
    wchar_t name[257];
    DWORD cch = 257;
    return GetUserNameW(name, &cch) ? winenv::ToUtf8(name) : std::string();
}

std::tm LocalTime(std::time_t when)
{
    std::tm local{};
    localtime_s(&local, &when);
    return local;
}

} // namespace qvclient
