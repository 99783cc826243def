#include "Script.h"

#include <map>
#include <sstream>
#include <stdexcept>

namespace plmclient {
namespace {

std::string Trim(const std::string& s)
{
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// How many arguments each verb takes: -1 = the rest of the line as one argument.
const std::map<std::string, int>& Verbs()
{
    static const std::map<std::string, int> verbs = {
        {"messagebox", 1}, {"folder", -1}, {"check", -1}, {"click", -1}, {"toggle", -1},
        {"dblclick", -1}, {"expand", -1}, {"collapse", -1}, {"filter", 1}, {"press", -1},
        {"key", 1}, {"resize", 2}, {"snapshot", -1}, {"close", 0}};
    return verbs;
}

} // namespace

bool IsDialogAction(const std::string& verb) { return verb != "messagebox" && verb != "folder"; }

std::deque<ScriptAction> ParseScript(const std::vector<std::string>& lines)
{
    std::deque<ScriptAction> actions;
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string line = Trim(lines[n]);
        if (line.empty() || line[0] == '#')
            continue;
        ScriptAction a;
        a.line = static_cast<int>(n + 1);
        const size_t sp = line.find_first_of(" \t");
        a.verb = line.substr(0, sp);
        const std::string rest = sp == std::string::npos ? std::string() : Trim(line.substr(sp));
        const auto it = Verbs().find(a.verb);
        if (it == Verbs().end())
            throw std::runtime_error("script line " + std::to_string(a.line) + ": unknown action \"" + a.verb + "\"");
        if (it->second == -1) {
            if (rest.empty())
                throw std::runtime_error("script line " + std::to_string(a.line) + ": \"" + a.verb + "\" needs an argument");
            a.args.push_back(rest);
        } else {
            std::istringstream in(rest);
            for (std::string word; in >> word;)
                a.args.push_back(word);
            if (static_cast<int>(a.args.size()) != it->second)
                throw std::runtime_error("script line " + std::to_string(a.line) + ": \"" + a.verb + "\" takes " +
                    std::to_string(it->second) + " argument(s)");
        }
        actions.push_back(std::move(a));
    }
    return actions;
}

} // namespace plmclient
