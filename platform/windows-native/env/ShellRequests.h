// ShellExecuteW while a user is installed: the request goes to the desktop (its "shell_execute"
// event, then the user), not to the shell. A scripted run has no one to look at what the shell
// would open, and under Wine a folder opens in a file browser whose window outlives the command.
#pragma once

#include <winenv/Desktop.h>

namespace winenv {

// The user the requests go to; null gives them back to the shell.
void WatchShellRequests(DesktopUser* user);

} // namespace winenv
