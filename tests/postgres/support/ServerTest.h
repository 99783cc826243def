// What the tests on the server share: the client folder's database made on the test server, the
// module and the scripted person of the command tests, and a server that a test stopped started
// again after it.
#pragma once

#include "CommandTest.h"
#include "TestServer.h"

namespace pgtest {

class ServerTest : public e2e::CommandTest {
protected:
    void SetUp() final
    {
        PGTEST_REQUIRE_SERVER();
        e2e::CommandTest::SetUp();
        ASSERT_EQ(S_OK, Fixture().GetStatus());
        Prepare();
    }
    void TearDown() override
    {
        if (m_bFrozen)
            ThawServer();
        if (m_bStopped)
            StartServer();
    }
    // What a test needs beyond the folder; the fixture's database is on the server by then.
    virtual void Prepare() {}

    bool Stop() { return m_bStopped = StopServer(); }
    bool Start()
    {
        m_bStopped = !StartServer();
        return !m_bStopped;
    }
    bool Stopped() const { return m_bStopped; }
    bool Freeze() { return m_bFrozen = FreezeServer(); }
    bool Thaw()
    {
        m_bFrozen = !ThawServer();
        return !m_bFrozen;
    }

private:
    bool m_bStopped = false;
    bool m_bFrozen = false;
};

} // namespace pgtest
