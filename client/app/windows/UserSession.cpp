// The Windows build's user: the command runs on the real desktop, and a script answers its
// message boxes and the folder picker and acts on its dialogs through the desktop's hook and input
// (winenv). The person at a terminal and dialog snapshots are the Linux build's: a script that
// needs them is refused before the command runs, so that nothing waits for an answer that never comes.
#include "UserSession.h"

#include "MainWindow.h"
#include "ScriptedUser.h"

namespace plmclient {

bool HoldsTranscript(const Options&) { return false; }

std::string CheckUserOptions(const Options& options)
{
    if (!options.server.empty())
        return "--server: this build has no PostgreSQL client; use a client folder with plm.db";
    if (!options.owner.empty())
        return "--owner: this build has no PostgreSQL client; use a client folder with plm.db";
    if (options.interactive)
        return "--interactive needs the Linux build's terminal";
    for (const ScriptAction& a : ParseScript(options.scriptLines))
        if (a.verb == "snapshot")
            return "script line " + std::to_string(a.line) +
                ": \"snapshot\" needs the Linux build's headless desktop; the system's windows have no such picture";
    return std::string();
}

SessionOutcome RunWithUser(qvclient::Client& client, const ModuleHost& module, const Options& options,
    const std::function<void(const qvclient::WaitEvent&)>& progress, const std::function<void()>&)
{
    ScriptedUser user(ParseScript(options.scriptLines));
    SessionOutcome outcome;
    client.SetWaitObserver(progress);
    {
        winenv::ScopedDesktopUser scopedUser(user);
        outcome.command = RunInMainWindow(client, module, options);
    }
    client.SetWaitObserver(nullptr);
    outcome.scriptErrors = user.Errors();
    outcome.unreachedLines = user.Remaining();
    return outcome;
}

} // namespace plmclient
