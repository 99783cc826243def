// The client's object model as the SDK reaches it: properties, class hierarchy, rights, global
// parameters, light files written to disk.
#include <gtest/gtest.h>

#include <winenv/Paths.h>
#include <winenv/Trace.h>

#include "ClientFolder.h"
#include "ComRef.h"
#include "QvATLHelper.h"
#include "ZORMetaWrapper.h"
#include "ZORRTWrapper.h"
#include "qvclient/CommandTransaction.h"
#include "qvclient/Errors.h"
#include "vault/Sha256.h"

namespace {

std::wstring ClassName(const COtlObjectRef& ref)
{
    _bstr_t name;
    ref.GetClassNameW(name.GetAddress());
    return name.length() ? static_cast<const wchar_t*>(name) : L"";
}

std::string Sha256Of(const std::string& bytes)
{
    qvclient::Sha256 sha;
    sha.Update(bytes.data(), bytes.size());
    return sha.FinishHex();
}

COtlObjectRef Open(const wchar_t* pszClass, LONG id)
{
    COtlObjectRef ref;
    EXPECT_EQ(S_OK, ref.RawCreate(pszClass));
    EXPECT_EQ(S_OK, ref.SetID(static_cast<ULONG>(id)));
    return ref;
}

TEST(ObjectModelTest, PropertiesAreReadByNameWithoutRegardToCase)
{
    viztest::ClientFolder folder;
    const LONG doc = folder.Fixture().AddDocument(L"Document", L"说明书", L"doc");
    ASSERT_EQ(S_OK, folder.Open());

    const COtlObjectRef ref = Open(L"Document", doc);
    EXPECT_EQ(static_cast<ULONG>(doc), ref.GetID());
    EXPECT_EQ(L"Document", ClassName(ref));
    VARIANT var;
    VariantInit(&var);
    ASSERT_EQ(S_OK, ref.GetPropertyValue(L"FILETYPE", &var));
    EXPECT_EQ(L"doc", std::wstring(CVariantHelper::VariantToString(var).GetString()));
    VariantClear(&var);
    EXPECT_EQ(DISP_E_UNKNOWNNAME, ref.GetPropertyValue(L"colour", &var));
    EXPECT_EQ(DISP_E_UNKNOWNNAME, ref.GetPropertyValue(L"name FROM T_User --", &var));
    EXPECT_EQ(qvclient::QV_E_OBJECTNOTFOUND, Open(L"Document", doc + 1000).GetPropertyValue(L"name", &var));

    COtlObjectRef unknown;
    EXPECT_EQ(qvclient::QV_E_CLASSNOTFOUND, unknown.RawCreate(L"Spaceship"));
    EXPECT_EQ(nullptr, unknown.GetOtlObject());
}

TEST(ObjectModelTest, DocumentClassesDeriveFromDocument)
{
    viztest::ClientFolder folder;
    ASSERT_EQ(S_OK, folder.Open());
    const struct {
        const wchar_t* base;
        const wchar_t* cls;
        bool derives;
    } cases[] = {
        {L"Document", L"Document", true}, {L"Document", L"Drawing", true}, {L"Document", L"CappDocument", true},
        {L"Document", L"3DDocument", true}, {L"Document", L"Part", false}, {L"Document", L"Folder", false},
        {L"Document", L"LightFile", false}, {L"Document", L"drawing", false}, {L"Document", L"", false},
        {L"Folder", L"3DFolder", true}, {L"Drawing", L"Document", false},
    };
    for (const auto& c : cases) {
        int bResult = c.derives ? 0 : 1;
        ASSERT_EQ(S_OK, CMetaClassRef::IsDescendentOrSelfClass(c.base, c.cls, &bResult)) << winenv::ToUtf8(c.cls);
        EXPECT_EQ(c.derives, bResult != 0) << winenv::ToUtf8(c.base) << " " << winenv::ToUtf8(c.cls);
    }
}

// Where classes share a table with no column naming the class, the id alone cannot tell the class;
// a class the user names can, when its table holds the object. A table that names the class
// answers for itself, and a class whose table does not hold the object is not the object's.
TEST(ObjectModelTest, AClassNamedIsTheObjectsWhenItsTableHoldsIt)
{
    viztest::ClientFolder folder;
    auto& f = folder.Fixture();
    f.Execute(L"INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (1090, 'NoteDocument', 1001, 'T_document')");
    const LONG document = f.AddDocument(L"Document", L"note", L"doc");
    const LONG part = f.AddPart(L"P");
    const LONG product = f.AddFolder(L"FolderOfProduct", L"Products");
    ASSERT_EQ(S_OK, f.GetStatus());
    ASSERT_EQ(S_OK, folder.Open());
    const struct {
        LONG id;
        const wchar_t* named;
        HRESULT expected;
        const wchar_t* cls;
    } cases[] = {
        {document, L"", qvclient::QV_E_CLASSNOTFOUND, L""},
        {document, L"Document", S_OK, L"Document"},
        {document, L"NoteDocument", S_OK, L"NoteDocument"},
        {document, L"Part", qvclient::QV_E_CLASSNOTFOUND, L""},
        {part, L"Document", S_OK, L"Part"},
        {part, L"", S_OK, L"Part"},
        {product, L"Folder", S_OK, L"FolderOfProduct"},
        {999999, L"Document", qvclient::QV_E_OBJECTNOTFOUND, L""},
    };
    for (const auto& c : cases) {
        std::wstring cls;
        EXPECT_EQ(c.expected, folder.Client().GetObjectClassName(c.id, cls, c.named))
            << c.id << " named " << winenv::ToUtf8(c.named);
        EXPECT_EQ(c.cls, cls) << c.id << " named " << winenv::ToUtf8(c.named);
    }
}

TEST(ObjectModelTest, OnlyAUserWithTheRightMayOutputFiles)
{
    viztest::ClientFolder folder;
    auto& b = folder.Fixture();
    const LONG allowed = b.AddUser(L"allowed", L"Allowed");
    b.GrantRight(allowed, L"Documentation", L"OutputFile");
    const LONG other = b.AddUser(L"other", L"Other");
    b.GrantRight(other, L"Documentation", L"Print");
    b.SetCurrentUser(L"allowed");
    const LONG doc = b.AddDocument(L"Document", L"doc", L"doc");
    ASSERT_EQ(S_OK, folder.Open());

    const COtlObjectRef ref = Open(L"Document", doc);
    short bAllowed = 0;
    ASSERT_EQ(S_OK, CSecurityHelper::CheckObjectBehaviorMethod(ref.GetOtlObject(), L"Documentation", L"OutputFile", &bAllowed));
    EXPECT_NE(0, bAllowed);
    ASSERT_EQ(S_OK, CSecurityHelper::CheckObjectBehaviorMethod(ref.GetOtlObject(), L"Documentation", L"Delete", &bAllowed));
    EXPECT_EQ(0, bAllowed);

    ASSERT_EQ(S_OK, folder.Client().SetCurrentUser(L"other"));
    ASSERT_EQ(S_OK, CSecurityHelper::CheckObjectBehaviorMethod(ref.GetOtlObject(), L"Documentation", L"OutputFile", &bAllowed));
    EXPECT_EQ(0, bAllowed);
    EXPECT_TRUE(FAILED(folder.Client().SetCurrentUser(L"nobody")));
}

TEST(ObjectModelTest, GlobalParametersAreIntegersAndMissingOnesFail)
{
    viztest::ClientFolder folder;
    folder.Fixture().SetGlobalParam(L"NEEDWATER_DOWNLOADPDF", 1);
    folder.Fixture().SetGlobalParam(L"NEEDWATER_DOWNLOADPDF", 3);
    ASSERT_EQ(S_OK, folder.Open());

    CPlmSystemRef system;
    ASSERT_EQ(S_OK, system.Create());
    int nValue = 0;
    ASSERT_EQ(S_OK, system.GetZORGlobalParam(L"NEEDWATER_DOWNLOADPDF", &nValue));
    EXPECT_EQ(3, nValue);
    nValue = 7;
    EXPECT_EQ(qvclient::QV_E_PARAMNOTFOUND, system.GetZORGlobalParam(L"needwater_downloadpdf", &nValue));
    EXPECT_EQ(7, nValue);

    // A command keeps what it read only while it runs: the next command sees a change.
    for (const LONG lExpected : {3, 5}) {
        {
            qvclient::CommandTransaction command;
            for (int i = 0; i < 2; ++i) {
                ASSERT_EQ(S_OK, system.GetZORGlobalParam(L"NEEDWATER_DOWNLOADPDF", &nValue));
                EXPECT_EQ(lExpected, nValue) << "read " << i + 1;
            }
        }
        folder.Fixture().SetGlobalParam(L"NEEDWATER_DOWNLOADPDF", 5);
    }
}

TEST(ObjectModelTest, ALightFileIsWrittenFromTheVaultToAWindowsPath)
{
    viztest::ClientFolder folder;
    const std::string content("%PDF-1.4\n\0binary\xff", 18);
    const qvclient::DocumentFixture doc = folder.Fixture().AddDocumentWithLightFiles(
        L"Drawing", L"d", L"dwg", {qvclient::LightFileSpec{L"图纸.pdf", L"pdf", content, {}}});
    ASSERT_EQ(S_OK, folder.Open());

    const IObjectFileContentPtr pContent(Open(L"LightFile", doc.lightFileIds.at(0)).GetOtlObject());
    ASSERT_TRUE(pContent != nullptr);
    // A doubled backslash, as a folder ending in one gives.
    const std::wstring target = folder.Windows(L"\\图纸.pdf");
    winenv::TraceRecorder trace;
    EXPECT_EQ(S_OK, pContent->DownloadToFile(_bstr_t(target.c_str())));
    EXPECT_EQ(content, viztest::ReadFile(folder.Windows(L"图纸.pdf")));
    const auto written = trace.OfKind("file_written");
    ASSERT_EQ(1u, written.size());
    EXPECT_EQ(winenv::ToUtf8(target), written[0].Get("path"));

    // Into a folder that does not exist: a failure, nothing traced.
    EXPECT_TRUE(FAILED(pContent->DownloadToFile(_bstr_t(folder.Windows(L"missing\\x.pdf").c_str()))));
    EXPECT_EQ(1u, trace.OfKind("file_written").size());

    // A part has no stored content.
    const IObjectFileContentPtr pPartContent(Open(L"Part", folder.Fixture().AddPart(L"p")).GetOtlObject());
    ASSERT_TRUE(pPartContent != nullptr);
    EXPECT_EQ(qvclient::QV_E_NOCONTENT, pPartContent->DownloadToFile(_bstr_t(folder.Windows(L"p.bin").c_str())));
}

// Within one command a name holds one content: a second, different file under a name the command
// already wrote is refused, the same content again is written; a file there before the command,
// or written by an earlier command, is replaced.
TEST(ObjectModelTest, ACommandDoesNotOverwriteAFileItWroteWithOtherContent)
{
    viztest::ClientFolder folder;
    qvclient::FixtureBuilder& b = folder.Fixture();
    const LONG first = b.AddDocumentWithLightFiles(L"Drawing", L"a", L"dwg", {{L"GR.pdf", L"pdf", "AAAA", {}}})
                           .lightFileIds.at(0);
    const LONG other = b.AddDocumentWithLightFiles(L"Drawing", L"b", L"dwg", {{L"GR.pdf", L"pdf", "BB", {}}})
                           .lightFileIds.at(0);
    const LONG same = b.AddDocumentWithLightFiles(L"Drawing", L"c", L"dwg", {{L"GR.pdf", L"pdf", "AAAA", {}}})
                          .lightFileIds.at(0);
    ASSERT_EQ(S_OK, folder.Open());
    const std::wstring target = folder.Windows(L"GR.pdf");
    const auto download = [](LONG id, const std::wstring& path) {
        const IObjectFileContentPtr pContent(Open(L"LightFile", id).GetOtlObject());
        return pContent ? pContent->DownloadToFile(_bstr_t(path.c_str())) : E_POINTER;
    };
    viztest::WriteFile(target, "there before");

    winenv::TraceRecorder trace;
    {
        qvclient::CommandTransaction command;
        const struct {
            const char* what;
            LONG id;
            std::wstring path;
            HRESULT hr;
        } steps[] = {
            {"replaces a file there before the command", first, target, S_OK},
            {"other content under the name", other, target, qvclient::QV_E_NAMETAKEN},
            {"other content, the name in other case", other, folder.Windows(L"gr.PDF"), qvclient::QV_E_NAMETAKEN},
            {"the same content again", same, target, S_OK},
            {"other content under a new name", other, folder.Windows(L"GR2.pdf"), S_OK},
        };
        for (const auto& step : steps) {
            EXPECT_EQ(step.hr, download(step.id, step.path)) << step.what;
            EXPECT_EQ("AAAA", viztest::ReadFile(target)) << step.what;
        }
    }
    const auto refused = trace.OfKind("download_refused");
    ASSERT_EQ(2u, refused.size());
    EXPECT_EQ(winenv::ToUtf8(target), refused[0].Get("path"));
    EXPECT_EQ(Sha256Of("BB"), refused[0].Get("sha256"));
    EXPECT_EQ(Sha256Of("AAAA"), refused[0].Get("written_sha256"));
    EXPECT_EQ(3u, trace.OfKind("file_written").size());

    // The next command starts afresh; so does a call outside any command.
    {
        qvclient::CommandTransaction command;
        EXPECT_EQ(S_OK, download(other, target));
    }
    EXPECT_EQ("BB", viztest::ReadFile(target));
    EXPECT_EQ(S_OK, download(first, target));
    EXPECT_EQ(S_OK, download(other, target));
    EXPECT_EQ("BB", viztest::ReadFile(target));
}

// The first light file of a client is looked up in two statements, the later ones in one joined
// statement: the answers are the same, twice over.
TEST(ObjectModelTest, LightFilesAfterTheFirstGiveTheSameAnswers)
{
    viztest::ClientFolder folder;
    qvclient::FixtureBuilder& b = folder.Fixture();
    const std::vector<LONG> ids = b.AddDocumentWithLightFiles(L"Drawing", L"d", L"dwg",
        {{L"a.pdf", L"pdf", "AAA", {}}, {L"b.pdf", L"pdf", "BB", {}}, {L"c.pdf", L"pdf", "C", {}}}).lightFileIds;
    ASSERT_EQ(S_OK, b.Execute(L"DELETE FROM T_StoredFile WHERE OBJ_ID = (SELECT STOREDFILE_ID FROM T_LightFile "
                              L"WHERE OBJ_ID = ?)", {qvclient::DbValue::Integer(ids[1])}));
    ASSERT_EQ(S_OK, b.Execute(L"UPDATE T_LightFile SET STOREDFILE_ID = NULL WHERE OBJ_ID = ?",
                        {qvclient::DbValue::Integer(ids[2])}));
    ASSERT_EQ(S_OK, folder.Open());
    const struct {
        const char* what;
        LONG id;
        HRESULT hr;
        const char* content;
    } cases[] = {
        {"no stored file named", ids[2], qvclient::QV_E_NOCONTENT, nullptr},
        {"a file", ids[0], S_OK, "AAA"},
        {"its stored file gone", ids[1], qvclient::QV_E_NOCONTENT, nullptr},
        {"no such light file", ids[2] + 1000, qvclient::QV_E_OBJECTNOTFOUND, nullptr},
    };
    for (int round = 0; round < 2; ++round) {
        for (const auto& c : cases) {
            const std::wstring target = folder.Windows(std::to_wstring(round) + std::to_wstring(c.id));
            const IObjectFileContentPtr pContent(Open(L"LightFile", c.id).GetOtlObject());
            ASSERT_TRUE(pContent != nullptr) << c.what;
            EXPECT_EQ(c.hr, pContent->DownloadToFile(_bstr_t(target.c_str()))) << c.what << ", round " << round;
            EXPECT_EQ(c.content ? c.content : "", viztest::ReadFile(target)) << c.what;
        }
    }
}

} // namespace
