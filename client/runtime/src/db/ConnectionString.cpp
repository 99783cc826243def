#include "db/ConnectionString.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include <libpq-fe.h>

#include "qvclient/Database.h"

namespace qvclient {
namespace {

std::string Quoted(const std::string& value)
{
    std::string out = "'";
    for (char c : value) {
        if (c == '\'' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "'";
}

} // namespace

bool AddConnectionSettings(const std::string& conninfo,
    const std::vector<std::pair<std::string, std::string>>& defaults, const std::string& serverOptions,
    std::string& result, std::string* pError)
{
    char* pszError = nullptr;
    PQconninfoOption* pOptions = PQconninfoParse(conninfo.c_str(), &pszError);
    if (pOptions == nullptr) {
        if (pError != nullptr)
            *pError = pszError != nullptr ? pszError : "the connection string cannot be read";
        PQfreemem(pszError);
        return false;
    }
    std::vector<std::pair<std::string, std::string>> settings;
    for (const PQconninfoOption* p = pOptions; p->keyword != nullptr; ++p) {
        if (p->val != nullptr)
            settings.emplace_back(p->keyword, p->val);
    }
    PQconninfoFree(pOptions);

    auto find = [&settings](const std::string& keyword) -> std::string* {
        for (auto& setting : settings) {
            if (setting.first == keyword)
                return &setting.second;
        }
        return nullptr;
    };
    for (const auto& setting : defaults) {
        if (find(setting.first) == nullptr)
            settings.push_back(setting);
    }
    if (!serverOptions.empty()) {
        if (std::string* pValue = find("options"))
            *pValue += pValue->empty() ? serverOptions : " " + serverOptions;
        else
            settings.emplace_back("options", serverOptions);
    }
    result.clear();
    for (const auto& setting : settings) {
        if (!result.empty())
            result += ' ';
        result += setting.first + '=' + Quoted(setting.second);
    }
    return true;
}

std::string GetConnectionSetting(const std::string& conninfo, const std::string& keyword)
{
    PQconninfoOption* pOptions = PQconninfoParse(conninfo.c_str(), nullptr);
    if (pOptions == nullptr)
        return {};
    std::string value;
    for (const PQconninfoOption* p = pOptions; p->keyword != nullptr; ++p) {
        if (keyword == p->keyword && p->val != nullptr)
            value = p->val;
    }
    PQconninfoFree(pOptions);
    return value;
}

std::chrono::milliseconds GetAnswerDeadline(const std::string& options)
{
    using std::chrono::milliseconds;
    // The last "-c name=value", "-cname=value" or "--name=value" wins, as on the server.
    std::string value;
    bool given = false;
    std::istringstream words(options);
    std::string word;
    bool bAfterC = false;
    while (words >> word) {
        std::string setting;
        if (bAfterC)
            setting = word;
        else if (word.rfind("--", 0) == 0 || word.rfind("-c", 0) == 0)
            setting = word.substr(2);
        bAfterC = word == "-c";
        if (setting.rfind("statement_timeout=", 0) == 0) {
            value = setting.substr(18);
            given = true;
        }
    }
    if (!given)
        return milliseconds(0);
    // The server's time units; a bare number is in milliseconds.
    static const std::pair<const char*, double> units[] = {
        {"", 1}, {"us", 0.001}, {"ms", 1}, {"s", 1000}, {"min", 60000}, {"h", 3600000}, {"d", 86400000}};
    char* pszUnit = nullptr;
    const double number = std::strtod(value.c_str(), &pszUnit);
    for (const auto& [name, scale] : units) {
        if (pszUnit != value.c_str() && std::strcmp(pszUnit, name) == 0 && number >= 0 && number * scale <= INT_MAX) {
            const milliseconds timeout(std::llround(number * scale));
            return timeout + std::min(timeout, milliseconds(5000));
        }
    }
    return milliseconds(35000);
}

} // namespace qvclient
