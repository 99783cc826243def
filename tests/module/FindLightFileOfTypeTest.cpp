// FindLightFileOfType: 1 with the first id, 0 for no row or a broken query, the failing status
// when no query can be made.
#include <gtest/gtest.h>

#include <ComRef.h>

#include "ClientFolder.h"
#include "SystemInterposer.h"
#include "catalogue/LightFileQuery.h"

using namespace viztest;

namespace {

TEST(FindLightFileOfTypeTest, FirstOfSeveralRowsOrNothing)
{
    ClientFolder client;
    const qvclient::DocumentFixture doc = client.Fixture().AddDocumentWithLightFiles(L"Drawing", L"A-01", L"dwg",
        {{L"a.pdf", L"pdf", "a", ""}, {L"b.pdf", L"pdf", "b", ""}});
    ASSERT_EQ(S_OK, client.Open());
    COtlObjectRef objDoc(client.Object(L"Drawing", doc.documentId));
    struct Case {
        const char* name;
        void (*arrange)(SystemFaults&);
        const wchar_t* type;
        int result;
    } cases[] = {
        {"two rows", [](SystemFaults&) {}, L"pdf", 1},
        {"no row", [](SystemFaults&) {}, L"step", 0},
        {"failing IsEof", [](SystemFaults& f) { f.failIsEofCall = 1; }, L"pdf", 0},
        {"COM error while reading", [](SystemFaults& f) { f.throwOnGetFieldCall = 1; }, L"pdf", 0},
        {"null query", [](SystemFaults& f) { f.nullQuery = true; }, L"pdf", 0},
        {"no transaction", [](SystemFaults& f) { f.transaction = E_ACCESSDENIED; }, L"pdf", E_ACCESSDENIED},
        {"no query", [](SystemFaults& f) { f.createQuery = E_OUTOFMEMORY; }, L"pdf", E_OUTOFMEMORY},
        // No system object: the transaction cannot be had.
        {"no system", [](SystemFaults& f) { f.create = REGDB_E_CLASSNOTREG; }, L"pdf", E_POINTER},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SystemFaults faults;
        c.arrange(faults);
        SystemInterposer system(client.Client(), faults);
        int nID = -1; // not written unless found
        EXPECT_EQ(c.result, FindLightFileOfType(&objDoc, c.type, &nID));
        EXPECT_EQ(c.result == 1 ? doc.lightFileIds.at(0) : -1, nID);
        EXPECT_EQ(0, faults.moveNextCalls);
        EXPECT_TRUE(SUCCEEDED(c.result) || faults.sql.empty());
    }
}

} // namespace
