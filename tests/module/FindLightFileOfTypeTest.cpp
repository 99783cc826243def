// FindLightFileOfType: 1 with the first id, 0 for no row or a broken query, the failing status
// when no query can be made.
#include <functional>

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

TEST_F(FindLightFileOfTypeTest, NoFileFound)
{
    struct Case {
        const char* name;
        std::function<void(FakePlmSystem&)> arrange;
        int result;
    } cases[] = {
        {"no row", [](FakePlmSystem&) {}, 0},
        {"failing IsEof", [](FakePlmSystem& s) { s.db.failIsEofCall = 1; }, 0},
        {"COM error while reading", [](FakePlmSystem& s) { s.db.throwOnGetFieldCall = 1; }, 0},
        {"null query", [](FakePlmSystem& s) { s.config.nullQuery = true; }, 0},
        {"no transaction", [](FakePlmSystem& s) { s.config.getTransaction = E_ACCESSDENIED; }, E_ACCESSDENIED},
        {"no query", [](FakePlmSystem& s) { s.config.createQuery = E_OUTOFMEMORY; }, E_OUTOFMEMORY},
        // No system object: the transaction cannot be had.
        {"no system", [](FakePlmSystem& s) { s.config.creation = REGDB_E_CLASSNOTREG; }, E_POINTER},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_system.db = FakeDatabase();
        m_system.config = FakeSystemConfig();
        if (std::string(c.name) != "no row")
            m_system.db.rowsFor = [](const std::wstring&) { return FakeRows{{{L"OBJ_ID", L"501"}, {L"name", L"a.pdf"}}}; };
        c.arrange(m_system);
        int nID = -1;
        EXPECT_EQ(c.result, FindLightFileOfType(&m_objDoc, L"pdf", &nID));
        EXPECT_EQ(-1, nID);
        if (FAILED(c.result)) {
            EXPECT_TRUE(m_system.db.sql.empty());
        }
    }
}

} // namespace
