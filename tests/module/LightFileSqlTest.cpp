// The SQL the catalogue and the signature collection send, byte for byte.
#include <gtest/gtest.h>

#include <ComRef.h>

#include <winenv/Trace.h>

#include "ClientFolder.h"
#include "ExpectedSql.h"
#include "TraceFields.h"
#include "catalogue/LightFileObj.h"
#include "catalogue/LightFileQuery.h"
#include "manager/DocumentSelectDlg.h"
#include "manager/RetrieveLightFile.h"
#include "signing/CollectSignatures.h"

using namespace viztest;

namespace {

const wchar_t* const kClasses[] = {L"Document", L"Drawing", L"CappDocument", L"3DDocument"};

// The texts reach the client's database and its trace as they are sent.
class LightFileSql : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, m_client.Open());
        m_trace.Clear();
    }

    COtlObjectRef Object(const wchar_t* cls, LONG id)
    {
        IQvOtlObjectPtr object = m_client.Object(cls, id);
        EXPECT_TRUE(object != nullptr) << winenv::ToUtf8(cls);
        return COtlObjectRef(object);
    }

    // The one text sent since the last call: the key's, for the ids given in place of the
    // document 4711 and the signature 901.
    void ExpectOneStatement(const std::string& key, const std::wstring& from = L"", LONG id = 0)
    {
        std::wstring expected = ExpectedSql(key);
        if (!from.empty())
            expected.replace(expected.find(from), from.size(), std::to_wstring(id));
        EXPECT_EQ(std::vector<std::string>{winenv::ToUtf8(expected)}, TraceFields(m_trace, "sql", {"text"})) << key;
        m_trace.Clear();
    }

    ClientFolder m_client;
    winenv::TraceRecorder m_trace;
};

TEST_F(LightFileSql, CatalogueQueriesOfEachClass)
{
    for (const wchar_t* cls : kClasses) {
        const LONG id = m_client.Fixture().AddDocument(cls, L"doc", L"dwg");
        COtlObjectRef objDoc = Object(cls, id);
        m_trace.Clear();
        const std::string name = winenv::ToUtf8(cls);
        CDocumentSelectDlg dlg;
        CLightDocumentRevObj* pDocRev = nullptr;
        dlg.QueryLightFiles(&objDoc, &pDocRev);
        ExpectOneStatement("lightfile.all." + name, L"4711", id);
        for (const char* type : {"pdf", "dwg", "step"}) {
            const std::wstring wtype = winenv::FromUtf8(type);
            int nID = -1;
            FindLightFileOfType(&objDoc, wtype.c_str(), &nID);
            ExpectOneStatement("lightfile.find." + name + "." + type, L"4711", id);
            // The lookup keeps the type as given.
            CString strPath;
            RetrieveLightFiles(&objDoc, wtype.c_str(), &strPath, L"C:\\out");
            ExpectOneStatement("lightfile.lookup." + name + "." + type, L"4711", id);
        }
    }
}

TEST_F(LightFileSql, OtherClassesRunTheEmptyText)
{
    COtlObjectRef objPart = Object(L"Part", m_client.Fixture().AddPart(L"part"));
    m_trace.Clear();
    int nID = -1;
    EXPECT_EQ(0, FindLightFileOfType(&objPart, L"pdf", &nID));
    CDocumentSelectDlg dlg;
    CLightDocumentRevObj* pDocRev = nullptr;
    dlg.QueryLightFiles(&objPart, &pDocRev);
    CString strPath;
    RetrieveLightFiles(&objPart, L"pdf", &strPath, L"C:\\out");
    EXPECT_EQ(std::vector<std::string>(3, ""), TraceFields(m_trace, "sql", {"text"}));
}

TEST_F(LightFileSql, SignatureIdsOfEachClassIgnoringCase)
{
    const wchar_t* const names[] = {L"Document", L"DRAWING", L"cappdocument", L"3DDocument"};
    for (size_t i = 0; i < 4; ++i) {
        CLightDocumentRevObj docRev;
        docRev.m_strClassName = names[i];
        docRev.m_nRevID = 88;
        EXPECT_EQ(1, CollectSignatures(docRev));
        ExpectOneStatement("signature.ids." + winenv::ToUtf8(kClasses[i]));
    }
}

TEST_F(LightFileSql, SignatureDetailPerId)
{
    qvclient::FixtureBuilder& fixture = m_client.Fixture();
    const LONG doc = fixture.AddDocument(L"Document", L"doc", L"doc");
    const LONG user = fixture.AddUser(L"writer", L"Writer");
    fixture.AddSignatureConfig(user, 1, L"ok", L"", L"", 0);
    const LONG signature = fixture.AddSignature(L"Document", doc, 88, user, L"2024-03-01 09:00:00", L"Written", L"Release");
    CLightDocumentRevObj docRev;
    docRev.m_strClassName = L"Document";
    docRev.m_nRevID = 88;
    EXPECT_EQ(1, CollectSignatures(docRev));
    std::wstring detail = ExpectedSql("signature.detail");
    detail.replace(detail.find(L"901"), 3, std::to_wstring(signature));
    EXPECT_EQ((std::vector<std::string>{winenv::ToUtf8(ExpectedSql("signature.ids.Document")), winenv::ToUtf8(detail)}),
        TraceFields(m_trace, "sql", {"text"}));
}

} // namespace
