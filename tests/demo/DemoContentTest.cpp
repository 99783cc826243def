// The demo database as the module and a person meet it: the same size gives the same database;
// the module's queries find the current files and nothing older; signatures are placed in the
// title block for every current revision; the structure, users, settings and viewer map are
// those of a real client.
#include <gtest/gtest.h>

#include <cctype>
#include <cwchar>
#include <set>

#include <objbase.h>
#include <winenv/Trace.h>

#include "DemoTestSupport.h"
#include "ExpectedSql.h"
#include "ViewerMap.h"
#include "qvclient/Watermark.h"

namespace demotest {
namespace {

qvclient::DemoSize TestSize()
{
    qvclient::DemoSize size;
    size.assemblies = 2;
    size.levels = 2;
    size.partsPerLevel = 1;
    size.documentsPerPart = 4;
    size.filesPerDocument = 3;
    size.pdfPages = 2;
    size.distinctFiles = 3;
    return size;
}

class DemoContentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new ScratchFolder();
        s_hr = qvclient::CreateDemoDatabase(s_folder->Windows(), TestSize(), &s_info);
    }
    static void TearDownTestSuite()
    {
        delete s_folder;
        s_folder = nullptr;
    }
    void SetUp() override
    {
        ASSERT_EQ(S_OK, s_hr);
        ASSERT_EQ(S_OK, client.Open(s_folder->Windows()));
    }
    qvclient::IDatabase& Db() { return *client.GetDatabase(); }

    static ScratchFolder* s_folder;
    static HRESULT s_hr;
    static qvclient::DemoDatabaseInfo s_info;
    qvclient::Client client;
};

ScratchFolder* DemoContentTest::s_folder = nullptr;
HRESULT DemoContentTest::s_hr = E_FAIL;
qvclient::DemoDatabaseInfo DemoContentTest::s_info;

std::vector<std::wstring> Fields(const std::wstring& text)
{
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (size_t comma; (comma = text.find(L',', start)) != std::wstring::npos; start = comma + 1)
        fields.push_back(text.substr(start, comma - start));
    fields.push_back(text.substr(start));
    return fields;
}

TEST_F(DemoContentTest, TheSameSizeGivesTheSameDatabaseAndVault)
{
    ScratchFolder again;
    ASSERT_EQ(S_OK, qvclient::CreateDemoDatabase(again.Windows(), TestSize()));
    qvclient::Client second;
    ASSERT_EQ(S_OK, second.Open(again.Windows()));
    EXPECT_TRUE(DumpDatabase(Db()) == DumpDatabase(*second.GetDatabase())) << "the databases differ";
    EXPECT_TRUE(DumpVault(client) == DumpVault(second)) << "the vaults differ";
    // A sheet's file identifier comes from its content and its updates keep it: a sheet, stamped
    // or not, carries its own in every trailer, whatever the second it was made in.
    std::unique_ptr<qvclient::IDbCursor> cursor;
    ASSERT_EQ(S_OK, second.GetDatabase()->Query(L"SELECT DISTINCT VAULT_NAME FROM T_StoredFile", {}, cursor));
    int stamped = 0;
    for (; !cursor->IsEof(); cursor->MoveNext()) {
        std::string content;
        ASSERT_EQ(S_OK, qvclient::ReadVaultContent(*second.GetVault(), cursor->GetValue(0).text, content));
        std::set<std::string> identifiers;
        int trailers = 0;
        for (size_t id = content.find("/ID ["); id != std::string::npos; id = content.find("/ID [", id + 5), ++trailers)
        {
            std::string digits; // the writers space the array differently
            for (size_t at = id + 5; at < content.size() && content[at] != ']'; ++at)
                if (std::isxdigit(static_cast<unsigned char>(content[at])))
                    digits += content[at];
            identifiers.insert(digits);
        }
        EXPECT_LE(identifiers.size(), 1u) << winenv::ToUtf8(cursor->GetValue(0).text);
        stamped += trailers > 1;
    }
    EXPECT_GT(stamped, 0) << "no sheet with its title block appended";

    ScratchFolder other;
    qvclient::DemoSize size = TestSize();
    size.filesPerDocument = 2;
    ASSERT_EQ(S_OK, qvclient::CreateDemoDatabase(other.Windows(), size));
    qvclient::Client third;
    ASSERT_EQ(S_OK, third.Open(other.Windows()));
    EXPECT_FALSE(DumpDatabase(Db()) == DumpDatabase(*third.GetDatabase())) << "another size, the same database";
}

TEST_F(DemoContentTest, ModuleQueriesFindExactlyTheCurrentRevisionsFiles)
{
    const std::vector<DocumentRef> documents = AllDocuments(Db());
    ASSERT_EQ(static_cast<size_t>(TestSize().DocumentCount()), documents.size());
    std::set<LONG> found;
    std::set<std::wstring> extensions;
    for (const DocumentRef& document : documents) {
        const std::vector<LightFileRow> rows = ModuleLightFiles(Db(), document);
        EXPECT_EQ(static_cast<size_t>(TestSize().filesPerDocument), rows.size())
            << winenv::ToUtf8(document.className) << ":" << document.id;
        for (const LightFileRow& row : rows) {
            EXPECT_TRUE(found.insert(row.id).second) << "light file " << row.id << " found twice";
            extensions.insert(row.name.substr(row.name.rfind(L'.')));
        }
    }
    EXPECT_EQ(static_cast<size_t>(s_info.currentLightFiles), found.size());
    EXPECT_EQ((std::set<std::wstring>{L".dwg", L".pdf", L".step", L".stp", L".xlsx"}), extensions);

    // Older revisions and iterations keep their files, which no query finds.
    const LONG all = Count(Db(), L"SELECT COUNT(*) FROM T_LightFile");
    EXPECT_GT(s_info.formerLightFiles, 0);
    EXPECT_EQ(static_cast<LONG>(found.size()) + s_info.formerLightFiles, all);
    EXPECT_GT(Count(Db(), L"SELECT COUNT(*) FROM TI_drawingMascmp1002 WHERE CURRENT_REVISION = 0") +
            Count(Db(), L"SELECT COUNT(*) FROM TI_3DDocumentMascmp1004 WHERE CURRENT_REVISION = 0") +
            Count(Db(), L"SELECT COUNT(*) FROM TI_CappDocumentMascmp1003 WHERE CURRENT_REVISION = 0") +
            Count(Db(), L"SELECT COUNT(*) FROM TI_DocumentMascmp1001 WHERE CURRENT_REVISION = 0"),
        0);
    EXPECT_GT(Count(Db(), L"SELECT COUNT(*) FROM TI_drawingRevcmp3220 WHERE CURRENT_ITERATION = 0") +
            Count(Db(), L"SELECT COUNT(*) FROM TI_3DDocumentRevcmp3236 WHERE CURRENT_ITERATION = 0") +
            Count(Db(), L"SELECT COUNT(*) FROM TI_CappDocumentRevcmp3228 WHERE CURRENT_ITERATION = 0") +
            Count(Db(), L"SELECT COUNT(*) FROM TI_DocumentRevcmp3212 WHERE CURRENT_ITERATION = 0"),
        0);
}

TEST_F(DemoContentTest, EveryCurrentRevisionIsSignedInTheTitleBlock)
{
    const wchar_t* const classIds[][2] = {
        {L"Document", L"1001"}, {L"Drawing", L"1002"}, {L"CappDocument", L"1003"}, {L"3DDocument", L"1004"}};
    int texts = 0, pictures = 0;
    for (const DocumentRef& document : AllDocuments(Db())) {
        const std::vector<LightFileRow> rows = ModuleLightFiles(Db(), document);
        ASSERT_FALSE(rows.empty());
        std::wstring classId;
        for (const auto& entry : classIds)
            if (document.className == entry[0])
                classId = entry[1];
        const std::string ids = Rows(Db(), L"SELECT roleB_id FROM T_DocumentSignature WHERE ROLEA_CLASS_ID = " + classId +
                L" AND Rev_id = " + std::to_wstring(rows[0].revisionId));
        int signatures = 0;
        for (size_t at = 0, end; (end = ids.find('\n', at)) != std::string::npos; at = end + 1) {
            ++signatures;
            // The module's text for the signature, as it reads the columns.
            std::wstring sql = viztest::ExpectedSql("signature.detail");
            sql.replace(sql.rfind(L"901"), 3, winenv::FromUtf8(ids.substr(at, end - at)));
            std::unique_ptr<qvclient::IDbCursor> cursor;
            ASSERT_EQ(S_OK, Db().Query(sql, {}, cursor));
            ASSERT_FALSE(cursor->IsEof()) << "a signature without its placement or its signer's configuration";
            const LONGLONG format = cursor->GetValue(0).integer;
            const std::vector<std::wstring> location = Fields(cursor->GetValue(6).text);
            ASSERT_GE(location.size(), 4u);
            // In the title block: the lower right of the first A4 page.
            const double x = std::wcstod(location[0].c_str(), nullptr), y = std::wcstod(location[1].c_str(), nullptr);
            EXPECT_TRUE(x > 297 && x + std::wcstod(location[2].c_str(), nullptr) < 595) << x;
            EXPECT_TRUE(y > 0 && y + std::wcstod(location[3].c_str(), nullptr) < 200) << y;
            if (format == 1) {
                ++texts;
                EXPECT_EQ(10u, location.size());
                EXPECT_GE(cursor->GetValue(1).text[0], 0x4E00) << "a Chinese signer name";
            } else {
                ++pictures;
                EXPECT_EQ(2, format);
                EXPECT_EQ(4u, location.size()) << "a picture takes a box only";
                const std::string vault = Rows(Db(), L"SELECT VAULT_NAME FROM T_StoredFile WHERE OBJ_ID = " +
                        std::to_wstring(cursor->GetValue(4).integer));
                ASSERT_FALSE(vault.empty());
                std::string picture;
                ASSERT_EQ(S_OK, qvclient::ReadVaultContent(*client.GetVault(),
                                    winenv::FromUtf8(vault.substr(0, vault.size() - 1)), picture));
                EXPECT_EQ("BM", picture.substr(0, 2));
            }
            cursor->MoveNext();
            EXPECT_TRUE(cursor->IsEof()) << "one signature, one placement";
        }
        EXPECT_GE(signatures, 2) << winenv::ToUtf8(document.className) << ":" << document.id;
    }
    EXPECT_GT(texts, 0);
    EXPECT_GT(pictures, 0);
}

TEST_F(DemoContentTest, StructureFoldersWorkflowUsersAndSettings)
{
    // A tree has one link fewer than parts; the sub-assembly used twice adds one.
    EXPECT_EQ(TestSize().PartCount(),
        Count(Db(), L"SELECT COUNT(*) FROM T_ObjectLink WHERE RELATION_CLASS_ID = 6001"));
    EXPECT_EQ(1, Count(Db(), L"SELECT COUNT(*) FROM (SELECT roleB_id FROM T_ObjectLink WHERE RELATION_CLASS_ID = 6001 "
                             L"GROUP BY roleB_id HAVING COUNT(*) = 2) AS used_twice"));
    for (LONG folderClass : {3001, 3002, 3003})
        EXPECT_GT(Count(Db(), L"SELECT COUNT(*) FROM T_Folder WHERE CLASS_ID = " + std::to_wstring(folderClass)), 0);
    EXPECT_EQ(1, Count(Db(), L"SELECT COUNT(*) FROM T_ObjectLink WHERE RELATION_CLASS_ID = 6005 AND roleA_id = " +
                             std::to_wstring(s_info.workflowItemId) + L" AND ROLEB_CLASS_ID = 2001"));
    EXPECT_GT(Count(Db(), L"SELECT COUNT(*) FROM T_ObjectLink WHERE RELATION_CLASS_ID = 6005 AND roleA_id = " +
                  std::to_wstring(s_info.workflowItemId) + L" AND ROLEB_CLASS_ID <> 2001"),
        1);
    EXPECT_GT(Count(Db(), L"SELECT COUNT(*) FROM T_User WHERE OBJ_ID IN (SELECT UserID FROM T_UserRight WHERE "
                          L"Method = 'OutputFile')"),
        0);
    EXPECT_GT(Count(Db(), L"SELECT COUNT(*) FROM T_User WHERE OBJ_ID NOT IN (SELECT UserID FROM T_UserRight WHERE "
                          L"Method = 'OutputFile')"),
        0);
    EXPECT_EQ("1\n", Rows(Db(), L"SELECT VALUE FROM T_GlobalParam WHERE NAME = 'NEEDWATER_DOWNLOADPDF'"));
}

TEST_F(DemoContentTest, ViewerMapNamesAProgramForEveryKindOfLightFile)
{
    viewer::ViewerMap map;
    ASSERT_TRUE(map.Load(s_folder->Posix() + "/config/commcfg/Viewermap.xml"));
    for (const char* name : {"a.pdf", "a.dwg", "a.stp", "a.step", "a.xlsx", "a.PDF"})
        EXPECT_FALSE(map.ProgramFor(name).empty()) << name;
    EXPECT_NE(map.ProgramFor("a.pdf"), map.ProgramFor("a.dwg"));
}

TEST_F(DemoContentTest, WatermarkNamesTheCurrentUserAndTheDay)
{
    const std::wstring text = qvclient::GetWatermarkText();
    ASSERT_EQ(13u, text.size()) << winenv::ToUtf8(text);
    EXPECT_EQ(L"张工 ", text.substr(0, 3));
    EXPECT_EQ(L'-', text[7]);
    EXPECT_EQ(L'-', text[10]);
    ASSERT_EQ(S_OK, client.SetCurrentUser(L"wang"));
    EXPECT_EQ(L"Wang Fang " + text.substr(3), qvclient::GetWatermarkText());
}

} // namespace
} // namespace demotest
