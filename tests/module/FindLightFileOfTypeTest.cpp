// FindLightFileOfType: 1 with the first id, 0 for no row or a broken query, the failing status
// when no query can be made.
#include <gtest/gtest.h>

#include <ComRef.h>

#include "FakeObjects.h"
#include "FakePlm.h"
#include "catalogue/LightFileQuery.h"

using namespace moduletest;

namespace {

class FindLightFileOfTypeTest : public testing::Test {
protected:
    FindLightFileOfTypeTest() : m_doc(MakeDocument(L"Drawing", 12)), m_objDoc(m_doc.get()) {}

    int Find(const wchar_t* type = L"pdf") { return FindLightFileOfType(&m_objDoc, type, &m_nID); }

    FakePlmSystem m_system;
    FakeRef<FakeOtlObject> m_doc;
    COtlObjectRef m_objDoc;
    int m_nID = -1; // not written unless found
};

TEST_F(FindLightFileOfTypeTest, FirstOfSeveralRows)
{
    m_system.db.rowsFor = [](const std::wstring&) {
        return FakeRows{{{L"OBJ_ID", L"501"}, {L"name", L"a.pdf"}}, {{L"OBJ_ID", L"502"}, {L"name", L"b.pdf"}}};
    };
    EXPECT_EQ(1, Find());
    EXPECT_EQ(501, m_nID);
    EXPECT_EQ(0, m_system.db.moveNextCalls);
}

TEST_F(FindLightFileOfTypeTest, NoRow)
{
    EXPECT_EQ(0, Find());
    EXPECT_EQ(-1, m_nID);
}

TEST_F(FindLightFileOfTypeTest, FailingEofCountsAsNoRow)
{
    m_system.db.rowsFor = [](const std::wstring&) { return FakeRows{{{L"OBJ_ID", L"501"}, {L"name", L"a.pdf"}}}; };
    m_system.db.failIsEofCall = 1;
    EXPECT_EQ(0, Find());
    EXPECT_EQ(-1, m_nID);
}

TEST_F(FindLightFileOfTypeTest, ComErrorWhileReadingGivesZero)
{
    m_system.db.rowsFor = [](const std::wstring&) { return FakeRows{{{L"OBJ_ID", L"501"}, {L"name", L"a.pdf"}}}; };
    m_system.db.throwOnGetFieldCall = 1;
    EXPECT_EQ(0, Find());
    EXPECT_EQ(-1, m_nID);
}

TEST_F(FindLightFileOfTypeTest, NullQueryGivesZero)
{
    m_system.config.nullQuery = true;
    EXPECT_EQ(0, Find());
}

TEST_F(FindLightFileOfTypeTest, NoTransactionOrQueryGivesTheStatus)
{
    m_system.config.getTransaction = E_ACCESSDENIED;
    EXPECT_EQ(E_ACCESSDENIED, Find());
    m_system.config.getTransaction = S_OK;
    m_system.config.createQuery = E_OUTOFMEMORY;
    EXPECT_EQ(E_OUTOFMEMORY, Find());
    EXPECT_TRUE(m_system.db.sql.empty());
    EXPECT_EQ(-1, m_nID);
}

TEST_F(FindLightFileOfTypeTest, NoSystemObjectGivesItsFailure)
{
    // CPlmSystemRef::Create failing leaves no system: the transaction cannot be had.
    m_system.config.creation = REGDB_E_CLASSNOTREG;
    EXPECT_LT(Find(), 0);
}

} // namespace
