// The Windows build's user: the command runs on the real desktop, and a script answers its
// message boxes and the folder picker through the desktop's hook (win32host). Acting on dialogs
// and the person at a terminal are the Linux build's for now: a script that needs them is refused
// before the command runs, so that nothing waits for an answer that never comes.
#include "UserSession.h"

#include "MainWindow.h"
#include "ScriptedUser.h"

namespace plmclient {

bool HoldsTranscript(const Options&) { return false; }

std::string CheckUserOptions(const Options& options)
{
    if (options.interactive)
        return "--interactive needs the Linux build's terminal";
    for (const ScriptAction& a : ParseScript(options.scriptLines))
        if (a.verb != "messagebox" && a.verb != "folder")
            return "script line " + std::to_string(a.line) + ": \"" + a.verb +
                "\" needs the Linux build's scripted user; on Windows a script answers message boxes and the "
                "folder picker only";
    return std::string();
}

SessionOutcome RunWithUser(qvclient::Client& client, const ModuleHost& module, const Options& options,
    const std::function<void(const qvclient::WaitEvent&)>& progress, const std::function<void()>&)
{
    ScriptedUser user(ParseScript(options.scriptLines));
    SessionOutcome outcome;
    client.SetWaitObserver(progress);
    {
        win32host::ScopedDesktopUser scopedUser(user);
        outcome.command = RunInMainWindow(client, module, options);
    }
    client.SetWaitObserver(nullptr);
    outcome.scriptErrors = user.Errors();
    outcome.unreachedLines = user.Remaining();
    return outcome;
}

} // namespace plmclient
