// The PostgreSQL server of the tests, as scripts/test.sh hands it over (VIZ_TEST_PG,
// VIZ_TEST_PG_READER, VIZ_TEST_PG_DIR).
#pragma once

#include <string>

#include "ScopedEnvironment.h"

namespace pgtest {

// The owner's and the read-only role's connection strings; empty without a server.
std::string OwnerConnection();
std::string ReaderConnection();
// Skips the calling test when no server was handed over.
#define PGTEST_REQUIRE_SERVER()                                                          \
    do {                                                                                 \
        if (::pgtest::OwnerConnection().empty())                                         \
            GTEST_SKIP() << "no PostgreSQL server (VIZ_TEST_PG); scripts/test.sh starts one"; \
    } while (0)

// Stops the server at once (open connections are cut) / starts it again; true on success.
bool StopServer();
bool StartServer();
// Stops / resumes every process of the server (SIGSTOP, SIGCONT): a server that takes
// connections but never answers, as a frozen host does; true on success.
bool FreezeServer();
bool ThawServer();

} // namespace pgtest
