// Runs one of the module's commands on a selection, as the client does from its menus.
#pragma once

#include <string>

#include <qvclient/Client.h>

#include "ModuleHost.h"
#include "Options.h"

namespace plmclient {

struct CommandOutcome {
    bool ran = false;      // false: the command could not be started (see error)
    HRESULT result = S_OK; // the command's own result
    std::string error;
};

CommandOutcome RunCommand(const qvclient::Client& client, const ModuleHost& module, const Options& options,
    HWND hWndCommand);

} // namespace plmclient
