// The command run with its user answering the windows it opens: the script, or the person at the
// terminal. What the user can do differs between the builds, so each has a file of its own.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <qvclient/Client.h>

#include "CommandRunner.h"
#include "ModuleHost.h"
#include "Options.h"

namespace plmclient {

struct SessionOutcome {
    CommandOutcome command;
    std::string userError;                 // the person's terminal failed
    std::vector<std::string> scriptErrors; // lines that could not be carried out
    size_t unreachedLines = 0;
};

// Registers the viewer control, runs the command under the client's main window and, for a person,
// gives the terminal back before releaseHeld prints what was held.
SessionOutcome RunWithUser(qvclient::Client& client, const ModuleHost& module, const Options& options,
    const std::function<void(const qvclient::WaitEvent&)>& progress, const std::function<void()>& releaseHeld);

// Whether the transcript waits until the person is done with the terminal.
bool HoldsTranscript(const Options& options);

// An error for options this build cannot carry out, empty when it can.
std::string CheckUserOptions(const Options& options);

} // namespace plmclient
