// The scripted user's actions, one per line.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace plmclient {

struct ScriptAction {
    std::string verb;              // "messagebox", "folder", "check", "press", ...
    std::vector<std::string> args; // the rest of the line, split as the verb needs
    int line = 0;                  // 1-based line in the script, for messages
};

// Throws std::runtime_error naming the line for an unknown verb or missing arguments.
std::deque<ScriptAction> ParseScript(const std::vector<std::string>& lines);

// True for the actions that act on a dialog (as opposed to message box and folder answers).
bool IsDialogAction(const std::string& verb);

} // namespace plmclient
