// libpq connection strings: recognising one, and adding settings to one.
#pragma once

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

} // namespace qvclient
