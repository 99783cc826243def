// libpq connection strings: recognising one, and adding settings to one.
#pragma once

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace qvclient {

// The string with the keywords set that it does not set itself (defaults), and with
// serverOptions ("-c name=value ...") appended to its "options". The result is in keyword=value
// form whatever form was given. False, with the reason in *pError, when libpq cannot read it.
bool AddConnectionSettings(const std::string& conninfo,
    const std::vector<std::pair<std::string, std::string>>& defaults, const std::string& serverOptions,
    std::string& result, std::string* pError = nullptr);

// The value of one keyword of the string; empty when it is not set or the string is not valid.
std::string GetConnectionSetting(const std::string& conninfo, const std::string& keyword);

// How long the client waits for a statement's answer: the statement timeout that the session's
// options ("-c statement_timeout=...") give it, plus a margin as long as the timeout but at most
// 5 s, so that the server's own timeout answers first. Zero (no limit) when they give none or
// switch it off; 35 s when its value cannot be read here.
std::chrono::milliseconds GetAnswerDeadline(const std::string& options);

} // namespace qvclient
