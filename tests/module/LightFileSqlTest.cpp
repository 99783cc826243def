// The SQL the catalogue and the signature collection send, byte for byte.
#include <gtest/gtest.h>

#include <ComRef.h>

#include "FakeObjects.h"
#include "FakePlm.h"
#include "ExpectedSql.h"
#include "catalogue/LightFileObj.h"
#include "catalogue/LightFileQuery.h"
#include "manager/DocumentSelectDlg.h"
#include "signing/CollectSignatures.h"

using namespace moduletest;
using namespace viztest;

namespace {

const wchar_t* const kClasses[] = {L"Document", L"Drawing", L"CappDocument", L"3DDocument"};

std::string Narrow(const wchar_t* text)
{
    return std::string(text, text + wcslen(text));
}

std::string Readable(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out += c == L'\t' ? std::string("\\t") : std::string(1, static_cast<char>(c));
    return out;
}

class LightFileSql : public testing::Test {
protected:
    FakePlmSystem m_system;

    void ExpectOneStatement(const std::string& key)
    {
        ASSERT_EQ(1u, m_system.db.sql.size());
        EXPECT_EQ(ExpectedSql(key), m_system.db.sql[0]) << key << "\nsent:     " << Readable(m_system.db.sql[0])
                                                        << "\nexpected: " << Readable(ExpectedSql(key));
        m_system.db.sql.clear();
    }
};

TEST_F(LightFileSql, CatalogueQueriesOfEachClass)
{
    for (const wchar_t* cls : kClasses) {
        FakeRef<FakeOtlObject> doc = MakeDocument(cls, 4711);
        COtlObjectRef objDoc(doc.get());
        CDocumentSelectDlg dlg;
        CLightDocumentRevObj* pDocRev = nullptr;
        dlg.QueryLightFiles(&objDoc, &pDocRev);
        ExpectOneStatement("lightfile.all." + Narrow(cls));
        for (const wchar_t* type : {L"pdf", L"dwg", L"step"}) {
            const std::string suffix = Narrow(cls) + "." + Narrow(type);
            int nID = -1;
            FindLightFileOfType(&objDoc, type, &nID);
            ExpectOneStatement("lightfile.find." + suffix);
            // The lookup keeps the type as given.
            CString strPath;
            RetrieveLightFiles(&objDoc, type, &strPath, L"C:\\out");
            ExpectOneStatement("lightfile.lookup." + suffix);
        }
    }
}

TEST_F(LightFileSql, OtherClassesRunTheEmptyText)
{
    FakeRef<FakeOtlObject> doc = MakeDocument(L"document", 4711); // the class test is exact
    COtlObjectRef objDoc(doc.get());
    int nID = -1;
    EXPECT_EQ(0, FindLightFileOfType(&objDoc, L"pdf", &nID));
    CDocumentSelectDlg dlg;
    CLightDocumentRevObj* pDocRev = nullptr;
    dlg.QueryLightFiles(&objDoc, &pDocRev);
    CString strPath;
    RetrieveLightFiles(&objDoc, L"pdf", &strPath, L"C:\\out");
    ASSERT_EQ(3u, m_system.db.sql.size());
    for (const std::wstring& sql : m_system.db.sql)
        EXPECT_EQ(L"", sql);
}

TEST_F(LightFileSql, SignatureIdsOfEachClassIgnoringCase)
{
    const wchar_t* const names[] = {L"Document", L"DRAWING", L"cappdocument", L"3DDocument"};
    for (size_t i = 0; i < 4; ++i) {
        CLightDocumentRevObj docRev;
        docRev.m_strClassName = names[i];
        docRev.m_nRevID = 88;
        EXPECT_EQ(1, CollectSignatures(docRev));
        ExpectOneStatement("signature.ids." + Narrow(kClasses[i]));
    }
}

TEST_F(LightFileSql, SignatureDetailPerId)
{
    m_system.db.rowsFor = [](const std::wstring& sql) {
        if (sql.find(L"T_DocumentSignature") != std::wstring::npos)
            return FakeRows{{{L"roleB_id", L"901"}}};
        return FakeRows();
    };
    CLightDocumentRevObj docRev;
    docRev.m_strClassName = L"Document";
    docRev.m_nRevID = 88;
    EXPECT_EQ(1, CollectSignatures(docRev));
    ASSERT_EQ(2u, m_system.db.sql.size());
    EXPECT_EQ(ExpectedSql("signature.ids.Document"), m_system.db.sql[0]);
    EXPECT_EQ(ExpectedSql("signature.detail"), m_system.db.sql[1]);
}

} // namespace
