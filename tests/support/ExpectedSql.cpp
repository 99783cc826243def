#include "ExpectedSql.h"

#include <fstream>
#include <map>
#include <stdexcept>

#include <winenv/Trace.h>

#ifndef VIZTEST_DATA_DIR
#error "VIZTEST_DATA_DIR names the test data folder"
#endif

namespace viztest {

const std::wstring& ExpectedSql(const std::string& key)
{
    static const std::map<std::string, std::wstring> texts = [] {
        std::map<std::string, std::wstring> result;
        std::ifstream in(std::string(VIZTEST_DATA_DIR) + "/expected_sql.txt", std::ios::binary);
        if (!in)
            throw std::runtime_error("expected_sql.txt not found");
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#')
                continue;
            const size_t eq = line.find('=');
            result[line.substr(0, eq)] = winenv::FromUtf8(line.substr(eq + 1));
        }
        return result;
    }();
    const auto it = texts.find(key);
    if (it == texts.end())
        throw std::runtime_error("no expected SQL " + key);
    return it->second;
}

} // namespace viztest
