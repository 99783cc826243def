// The client on a PostgreSQL server: a role that may write refused, time limits, and clear errors for a server that cannot be reached, refused credentials and a missing
// schema.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <thread>

#include <ZORRTWrapper.h>
#include <winenv/Paths.h>
#include <winenv/Trace.h>

#include "ChildProcess.h"
#include "ScratchFolder.h"
#include "ServerTest.h"
#include "db/ConnectionString.h"
#include "qvclient/Errors.h"

namespace {

// A client folder built on the test server, and queries through the client's transaction.
class ServerClientTest : public pgtest::ServerTest {
protected:
    void Prepare() override
    {
        ASSERT_EQ(S_OK, qvclient::ReadFolderServer(Folder(), m_conninfo));
        m_options = qvclient::GetConnectionSetting(m_conninfo, "options");
        ASSERT_NE(std::string::npos, m_options.find("search_path=")) << m_conninfo;
    }

    std::wstring Folder() { return winenv::FromUtf8(Client().Posix()); }

    // The folder's server with the given connection string, keeping the fixture's schema.
    void PointFolderAt(const std::string& conninfo, const std::string& options)
    {
        std::string text;
        ASSERT_TRUE(qvclient::AddConnectionSettings(conninfo, {}, options, text));
        ASSERT_EQ(S_OK, qvclient::WriteFolderServer(Folder(), text));
    }

    HRESULT OpenClient()
    {
        const HRESULT hr = Client().Open();
        if (FAILED(hr))
            return hr;
        const ITransactionQueryPtr query = viztest::NewQuery();
        m_query = query;
        return query != nullptr ? S_OK : E_FAIL;
    }

    // Runs the text and reports what the first IsEof says, as the module reads a query.
    HRESULT Run(const wchar_t* pszSql)
    {
        viztest::RunText(m_query, pszSql);
        VARIANT_BOOL bEof = VARIANT_TRUE;
        return m_query->IsEof(&bEof);
    }

    _variant_t Field(const wchar_t* pszColumn) { return viztest::FieldOf(m_query, pszColumn); }

    std::string m_conninfo;
    std::string m_options;
    ITransactionQueryPtr m_query;
};

// Every way a role could change the PLM tables, and the reason the refusal gives; a role that may
// only read (BYPASSRLS only widens what it reads) is let in.
TEST_F(ServerClientTest, ARoleThatCouldWriteByAnyRouteIsRefusedWithTheReason)
{
    std::unique_ptr<qvclient::IDatabase> admin;
    ASSERT_EQ(S_OK, qvclient::OpenPostgresDatabase(pgtest::OwnerConnection() + " options='" + m_options + "'",
                        qvclient::DbOpenMode::ReadWrite, admin));
    const size_t at = m_options.find("search_path=") + 12;
    const std::string schema = m_options.substr(at, m_options.find(' ', at) - at);
    struct Case {
        const char* role; // empty: the owner, a superuser
        const char* grant; // %1$s the role, %2$s the schema
        const char* reason; // of the refusal; empty: the role is let in
    };
    const Case cases[] = {
        {"", "", "is a superuser"},
        {"plm_inserter", "GRANT INSERT ON T_User TO %1$s", "may insert, update, delete or truncate rows of"},
        {"plm_truncater", "GRANT TRUNCATE ON T_ClientSetting TO %1$s", "may insert, update, delete or truncate rows of"},
        {"plm_filewriter", "GRANT pg_write_server_files TO %1$s", "server files"},
        {"plm_programrunner", "GRANT pg_execute_server_program TO %1$s", "server programs"},
        {"plm_columnupdater", "GRANT UPDATE (VALUE) ON T_ClientSetting TO %1$s", "may insert or update columns of"},
        {"plm_columninserter", "GRANT INSERT (NAME, VALUE) ON T_ClientSetting TO %1$s", "may insert or update columns of"},
        {"plm_ownermember",
            "CREATE ROLE %1$s_owner; ALTER TABLE T_User OWNER TO %1$s_owner; ALTER ROLE %1$s NOINHERIT; "
            "GRANT %1$s_owner TO %1$s",
            "may act as the role"},
        {"plm_writermember",
            "CREATE ROLE %1$s_owner; GRANT DELETE ON T_User TO %1$s_owner; ALTER ROLE %1$s NOINHERIT; "
            "GRANT %1$s_owner TO %1$s",
            "may act as the role"},
        {"plm_rolemaker", "ALTER ROLE %1$s CREATEROLE", "CREATEROLE"},
        {"plm_schemaowner", "ALTER SCHEMA %2$s OWNER TO %1$s", "owns the schema"},
        {"plm_plainreader", "", ""},
        {"plm_rlsreader", "ALTER ROLE %1$s BYPASSRLS", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.role);
        std::string role = c.role;
        std::string conninfo = pgtest::OwnerConnection();
        if (!role.empty()) {
            role += "_" + std::to_string(getpid());
            char grant[512];
            std::snprintf(grant, sizeof grant, c.grant, role.c_str(), schema.c_str());
            ASSERT_EQ(S_OK, admin->ExecuteScript(winenv::FromUtf8("DROP ROLE IF EXISTS " + role + "; CREATE ROLE " +
                                role + " LOGIN PASSWORD 'w'; GRANT USAGE ON SCHEMA " + schema + " TO " + role +
                                "; GRANT SELECT ON ALL TABLES IN SCHEMA " + schema + " TO " + role + "; " + grant)))
                << admin->GetLastErrorText().c_str();
            conninfo = pgtest::ReaderConnection() + " user=" + role + " password=w";
        }
        PointFolderAt(conninfo, m_options);
        {
            qvclient::Client client;
            EXPECT_EQ(*c.reason ? qvclient::QV_E_WRITABLEROLE : S_OK, client.Open(Folder()))
                << winenv::ToUtf8(client.GetOpenErrorText());
            const std::string error = winenv::ToUtf8(client.GetOpenErrorText());
            if (*c.reason) {
                EXPECT_NE(std::string::npos, error.find("may write the PLM tables")) << error;
                EXPECT_NE(std::string::npos, error.find(c.reason)) << error;
            }
        }
        if (role.empty()) {
            const viztest::ChildRun run = viztest::RunChild(
                {e2e::PlmClient(), "--db", Client().Posix(), "--command", "OutputLightFile", "--select", "Part:1"});
            EXPECT_EQ(1, run.exitCode);
            EXPECT_NE(std::string::npos, run.err.find("the client needs a role that may only read")) << run.err;
            continue;
        }
        // What the role owns goes back to the fixture's owner first, so that dropping it drops no table.
        for (const std::string& gone : {role, role + "_owner"})
            admin->ExecuteScript(winenv::FromUtf8("DO $$ BEGIN IF EXISTS (SELECT 1 FROM pg_roles WHERE rolname = '" +
                gone + "') THEN REASSIGN OWNED BY " + gone + " TO current_user; DROP OWNED BY " + gone + "; DROP ROLE " +
                gone + "; END IF; END $$"));
    }
}

TEST_F(ServerClientTest, StatementsAndLockWaitsHaveATimeLimit)
{
    ASSERT_EQ(S_OK, OpenClient());
    for (const auto& [setting, value] : {std::pair(L"statement_timeout", L"30s"), std::pair(L"lock_timeout", L"10s")}) {
        ASSERT_EQ(S_OK, Run((std::wstring(L"SHOW ") + setting).c_str())) << setting;
        const _variant_t var = Field(setting);
        ASSERT_EQ(VT_BSTR, var.vt) << setting;
        EXPECT_STREQ(value, var.bstrVal) << setting;
    }

    // Shorter limits from plm.server's string; a lock held by another connection and a
    // statement that does not end.
    PointFolderAt(m_conninfo, "-c statement_timeout=1500 -c lock_timeout=300");
    ASSERT_EQ(S_OK, OpenClient());
    std::unique_ptr<qvclient::IDatabase> other;
    ASSERT_EQ(S_OK, qvclient::OpenPostgresDatabase(pgtest::OwnerConnection() + " options='" + m_options + "'",
                        qvclient::DbOpenMode::ReadWrite, other));
    ASSERT_EQ(S_OK, other->ExecuteScript(L"BEGIN; LOCK TABLE T_User IN ACCESS EXCLUSIVE MODE"));
    EXPECT_EQ(qvclient::QV_E_TIMEOUT, Run(L"SELECT LOGIN FROM T_User"));
    EXPECT_EQ(qvclient::QV_E_TIMEOUT, Run(L"SELECT pg_sleep(60)"));
    ASSERT_EQ(S_OK, other->ExecuteScript(L"ROLLBACK"));
    EXPECT_EQ(S_OK, Run(L"SELECT LOGIN FROM T_User"));
}

TEST_F(ServerClientTest, AStatementToAPausedServerProcessFailsAtTheClientsDeadline)
{
    // The deadline is the statement timeout and as much again: 1 s.
    PointFolderAt(m_conninfo, "-c statement_timeout=500");
    ASSERT_EQ(S_OK, OpenClient());
    ASSERT_EQ(S_OK, Run(L"SELECT pg_backend_pid() AS pid"));
    const pid_t backend = Field(L"pid").lVal;
    ASSERT_EQ(0, kill(backend, SIGSTOP));
    std::promise<void> answered;
    std::thread resume([&backend, waited = answered.get_future()] {
        waited.wait_for(std::chrono::seconds(20));
        kill(backend, SIGCONT);
    });
    const auto start = std::chrono::steady_clock::now();
    const HRESULT hr = Run(L"SELECT LOGIN FROM T_User");
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    answered.set_value();
    resume.join();
    EXPECT_EQ(qvclient::QV_E_TIMEOUT, hr);
    EXPECT_GE(took.count(), 1000);
    EXPECT_LT(took.count(), 10000);
    EXPECT_EQ(S_OK, Run(L"SELECT LOGIN FROM T_User")) << "a new connection";
}

// What the client says when it cannot use the folder's server, and what plmclient prints.
TEST_F(ServerClientTest, AServerThatCannotBeUsedIsAClearError)
{
    const struct {
        const char* what;
        std::string conninfo;
        const char* options;
        HRESULT expected;
        const wchar_t* openError;
        const char* programError;
    } cases[] = {
        // Port 1 on the loopback: nothing listens there.
        {"unreachable", "host=127.0.0.1 port=1 dbname=plm user=viz connect_timeout=2", "",
            qvclient::QV_E_SERVERUNREACHABLE, L"127.0.0.1", "the database server cannot be reached"},
        {"wrong password", pgtest::OwnerConnection() + " password=wrong", m_options.c_str(), qvclient::QV_E_LOGONREFUSED,
            L"password", "refused the user name or password"},
        {"no such database", pgtest::ReaderConnection() + " dbname=plm_no_such_database", "", qvclient::QV_E_NOSCHEMA, L"",
            "has no schema"},
        {"no such schema", pgtest::ReaderConnection(), "-c search_path=plm_no_such_schema", qvclient::QV_E_NOSCHEMA,
            L"t_class", "has no schema"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PointFolderAt(c.conninfo, c.options);
        qvclient::Client client;
        EXPECT_EQ(c.expected, client.Open(Folder()));
        EXPECT_NE(std::wstring::npos, client.GetOpenErrorText().find(c.openError)) << client.GetOpenErrorText();
        EXPECT_FALSE(client.IsOpen());
        const viztest::ChildRun run = viztest::RunChild(
            {e2e::PlmClient(), "--db", Client().Posix(), "--command", "OutputLightFile", "--select", "Part:1"});
        EXPECT_EQ(1, run.exitCode);
        EXPECT_NE(std::string::npos, run.err.find(c.programError)) << run.err;
    }
}

TEST(SqliteSchema, AnEmptyDatabaseFileIsAMissingSchemaToo)
{
    const viztest::ScratchFolder scratch;
    const std::string folder = scratch.Posix();
    {
        std::unique_ptr<qvclient::IDatabase> database;
        ASSERT_EQ(S_OK, qvclient::OpenSqliteDatabase(folder + "/plm.db", qvclient::DbOpenMode::Create, database));
        ASSERT_EQ(S_OK, database->Execute(L"CREATE TABLE T_Unrelated (A INTEGER)"));
    }
    qvclient::Client client;
    EXPECT_EQ(qvclient::QV_E_NOSCHEMA, client.Open(winenv::FromUtf8(folder)));
}

TEST(PlmClientServerOption, TheSampleIsMadeOnTheServerAndTheFolderRemembersIt)
{
    PGTEST_REQUIRE_SERVER();
    const viztest::ScratchFolder scratch;
    const std::string folder = scratch.Posix();
    const std::string schema = "plm_sample_" + std::to_string(getpid());
    {
        std::unique_ptr<qvclient::IDatabase> admin;
        ASSERT_EQ(S_OK, qvclient::OpenPostgresDatabase(pgtest::OwnerConnection(), qvclient::DbOpenMode::ReadWrite, admin));
        ASSERT_EQ(S_OK, admin->ExecuteScript(winenv::FromUtf8(
                            "DROP SCHEMA IF EXISTS " + schema + " CASCADE; CREATE SCHEMA " + schema)));
    }
    std::string server;
    ASSERT_TRUE(qvclient::AddConnectionSettings(pgtest::ReaderConnection(), {}, "-c search_path=" + schema, server));
    const std::string owner = pgtest::OwnerConnection();
    viztest::ChildRun run;
    {
        // The test switch would send the sample to a fixture schema of its own.
        ScopedEnvironment noTestServer("VIZ_TEST_PG", std::nullopt);
        run = viztest::RunChild(
            {e2e::PlmClient(), "--db", folder, "--server", server, "--owner", owner, "--create-sample"});
    }
    ASSERT_EQ(0, run.exitCode) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder + "/plm.db"));
    std::string remembered;
    ASSERT_EQ(S_OK, qvclient::ReadFolderServer(winenv::FromUtf8(folder), remembered));
    EXPECT_EQ(server, remembered);
    // The string holds the password: only the user may read it, and the program says where it is.
    struct stat info {};
    ASSERT_EQ(0, stat((folder + "/plm.server").c_str(), &info));
    EXPECT_EQ(0600u, info.st_mode & 0777u);
    EXPECT_NE(std::string::npos, run.err.find("(with any password in it) is kept in " + folder +
                                              "/plm.server, readable only by you")) << run.err;

    qvclient::Client client;
    ASSERT_EQ(S_OK, client.Open(winenv::FromUtf8(folder)));
    std::unique_ptr<qvclient::IDbCursor> cursor;
    ASSERT_EQ(S_OK, client.GetDatabase()->Query(L"SELECT COUNT(*) FROM T_Part", {}, cursor));
    EXPECT_GT(cursor->GetValue(0).integer, 0);
}

// A server that cannot be used on the first command leaves the folder as it was: no string (and
// no password) behind, or the server it named before.
TEST(PlmClientServerOption, AFailedFirstConnectionLeavesTheFolderAsItWas)
{
    const std::string unreachable = "host=127.0.0.1 port=1 dbname=plm user=viz password=secret connect_timeout=2";
    const std::string earlier = "host=127.0.0.1 port=2 dbname=earlier user=viz";
    const struct {
        const char* what;
        std::string server;
        std::string before; // plm.server before the run; empty: none
        std::vector<std::string> command;
        bool needsServer;
    } cases[] = {
        {"unreachable, a command", unreachable, "", {"--command", "OutputLightFile", "--select", "Part:1"}, false},
        {"unreachable, the sample", unreachable, "", {"--create-sample"}, false},
        {"unreachable, an earlier server", unreachable, earlier, {"--command", "OutputLightFile", "--select", "Part:1"},
            false},
        {"wrong password", pgtest::ReaderConnection() + " password=wrong", "",
            {"--command", "OutputLightFile", "--select", "Part:1"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsServer && pgtest::OwnerConnection().empty())
            continue;
        const viztest::ScratchFolder scratch;
        const std::string folder = scratch.Posix();
        if (!c.before.empty()) {
            ASSERT_EQ(S_OK, qvclient::WriteFolderServer(winenv::FromUtf8(folder), c.before));
        }
        std::vector<std::string> args = {e2e::PlmClient(), "--db", folder, "--server", c.server};
        args.insert(args.end(), c.command.begin(), c.command.end());
        ScopedEnvironment noTestServer("VIZ_TEST_PG", std::nullopt);
        const viztest::ChildRun run = viztest::RunChild(args);
        EXPECT_EQ(1, run.exitCode) << run.err;
        std::string remembered;
        const HRESULT hr = qvclient::ReadFolderServer(winenv::FromUtf8(folder), remembered);
        if (c.before.empty()) {
            EXPECT_EQ(S_FALSE, hr) << remembered;
        } else {
            EXPECT_EQ(S_OK, hr);
            EXPECT_EQ(c.before, remembered);
        }
    }
}

TEST(PlmClientServerOption, ADatabaseGivenAsAConnectionStringIsPointedToServer)
{
    const viztest::ChildRun run =
        viztest::RunChild({e2e::PlmClient(), "--db", "host=localhost dbname=plm", "--create-sample"});
    EXPECT_EQ(1, run.exitCode);
    EXPECT_NE(std::string::npos, run.err.find("--server")) << run.err;
}

} // namespace
