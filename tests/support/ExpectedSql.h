// The SQL texts the module sends, byte for byte, from data/expected_sql.txt, by key.
#pragma once

#include <string>

namespace viztest {

const std::wstring& ExpectedSql(const std::string& key);

} // namespace viztest
