// Everything a SELECT answers (column names, rows in order with each value's type and text,
// or the error), as one text, from SQLite itself and from the client's database layer: two
// runs of one text compare as strings.
#pragma once

#include <sqlite3.h>

#include <string>

#include "qvclient/Database.h"

namespace viztest {

std::string AnswerOfSqlite(sqlite3* db, const std::string& sql);
std::string AnswerOfClient(qvclient::IDatabase& db, const std::string& sql);

} // namespace viztest
