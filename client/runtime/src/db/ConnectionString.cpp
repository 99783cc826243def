#include "db/ConnectionString.h"

#include <cctype>

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

bool IsServerConnectionString(const std::string& text)
{
    if (text.rfind("postgresql://", 0) == 0 || text.rfind("postgres://", 0) == 0)
        return true;
    // keyword=value pairs: the first word is a keyword followed by '='.
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos)
        return false;
    const size_t start = i;
    while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'))
        ++i;
    i = text.find_first_not_of(" \t", i);
    return i != start && i != std::string::npos && text[i] == '=';
}

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

} // namespace qvclient
