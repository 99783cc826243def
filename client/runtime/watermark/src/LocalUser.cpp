#include "LocalUser.h"

#include <pwd.h>
#include <unistd.h>

namespace qvclient {

std::string DesktopUserName()
{
    const passwd* entry = getpwuid(geteuid());
    return entry ? entry->pw_name : std::string();
}

std::tm LocalTime(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    return local;
}

} // namespace qvclient
