#include "UserSession.h"

#include <unistd.h>

#include <memory>

#include <winenv/Desktop.h>
#include <winenv/Modules.h>

#include "MainWindow.h"
#include "ScriptedUser.h"
#include "interactive/TerminalUser.h"

namespace plmclient {

bool HoldsTranscript(const Options& options) { return options.interactive && isatty(STDOUT_FILENO); }

std::string CheckUserOptions(const Options& options)
{
    if (options.interactive && !isatty(STDIN_FILENO))
        return "--interactive needs a terminal on standard input";
    return std::string();
}

SessionOutcome RunWithUser(qvclient::Client& client, const ModuleHost& module, const Options& options,
    const std::function<void(const qvclient::WaitEvent&)>& progress, const std::function<void()>& releaseHeld)
{
    winenv::RegisterInprocServer(CLSID_QvViewerControl, L"QvViewerControl.dll");
    std::unique_ptr<ScriptedUser> scripted;
    std::unique_ptr<TerminalUser> person;
    if (options.interactive) {
        person = std::make_unique<TerminalUser>();
        client.SetWaitObserver([&person](const qvclient::WaitEvent& e) { person->OnWait(e); });
    } else {
        scripted = std::make_unique<ScriptedUser>(ParseScript(options.scriptLines));
        client.SetWaitObserver(progress);
    }
    winenv::DesktopUser& user = person ? static_cast<winenv::DesktopUser&>(*person) : *scripted;
    SessionOutcome outcome;
    {
        winenv::ScopedDesktopUser scopedUser(user);
        outcome.command = RunInMainWindow(client, module, options);
    }
    client.SetWaitObserver(nullptr);
    if (person) {
        outcome.userError = person->Error();
        person.reset(); // gives the terminal back before anything more is printed
        releaseHeld();
    }
    if (scripted) {
        outcome.scriptErrors = scripted->Errors();
        outcome.unreachedLines = scripted->Remaining();
    }
    return outcome;
}

} // namespace plmclient
