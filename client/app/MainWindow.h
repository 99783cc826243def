// The client's main window: the owner of the commands' windows.
#pragma once

#include "CommandRunner.h"

namespace plmclient {

// Runs the command with a main window of the client's as its owner.
CommandOutcome RunInMainWindow(const qvclient::Client& client, const ModuleHost& module, const Options& options);

} // namespace plmclient
