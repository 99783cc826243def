// The user the client runs for and the local time, as the system gives them.
#pragma once

#include <ctime>
#include <string>

namespace qvclient {

// The login, in UTF-8; empty when the system does not say.
std::string DesktopUserName();
// The local time of `when`, safely from any thread.
std::tm LocalTime(std::time_t when);

} // namespace qvclient
