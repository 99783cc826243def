// The Windows build's user: the command runs on the real desktop. Scripted answers to its
// windows and the terminal's person are the Linux build's for now, so a script is refused
// instead of being silently left unanswered.
#include "UserSession.h"

#include "MainWindow.h"

namespace plmclient {

bool HoldsTranscript(const Options&) { return false; }

std::string CheckUserOptions(const Options& options)
{
    if (options.interactive)
        return "--interactive needs the Linux build's terminal";
    if (!options.scriptLines.empty())
        return "--script and --do need the Linux build's scripted user";
    return std::string();
}

SessionOutcome RunWithUser(qvclient::Client& client, const ModuleHost& module, const Options& options,
    const std::function<void(const qvclient::WaitEvent&)>& progress, const std::function<void()>&)
{
    SessionOutcome outcome;
    client.SetWaitObserver(progress);
    outcome.command = RunInMainWindow(client, module, options);
    client.SetWaitObserver(nullptr);
    return outcome;
}

} // namespace plmclient
