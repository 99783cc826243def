// The client's object model as the SDK reaches it: properties, relations in link order, class
// hierarchy, rights, global parameters, stored content written to disk, the client's folders.
#include <gtest/gtest.h>

#include <filesystem>

#include <win32host/Paths.h>
#include <win32host/Trace.h>

#include "ClientFolder.h"
#include "ComRef.h"
#include "QvATLHelper.h"
#include "ZORMetaWrapper.h"
#include "ZORRTWrapper.h"
#include "qvclient/CommandTransaction.h"
#include "qvclient/Errors.h"

namespace {

std::wstring ClassName(const COtlObjectRef& ref)
{
    _bstr_t name;
    ref.GetClassNameW(name.GetAddress());
    return name.length() ? static_cast<const wchar_t*>(name) : L"";
}

std::wstring Name(const COtlObjectRef& ref)
{
    _variant_t var;
    ref.GetPropertyValue(L"name", &var);
    return CVariantHelper::VariantToString(var).GetString();
}

COtlObjectRef Open(const wchar_t* pszClass, LONG id)
{
    COtlObjectRef ref;
    EXPECT_EQ(S_OK, ref.RawCreate(pszClass));
    EXPECT_EQ(S_OK, ref.SetID(static_cast<ULONG>(id)));
    return ref;
}

struct Related {
    std::vector<std::wstring> names;
    std::vector<std::wstring> classes;
    std::vector<std::wstring> linkClasses;
};

HRESULT GetRelated(const COtlObjectRef& ref, const wchar_t* pszRelation, Related& related, int nDirection = 1)
{
    std::list<COtlObjectRef*> objects;
    std::list<COtlLinkRef*> links;
    const HRESULT hr = ref.GetRelatedObjects(pszRelation, nDirection, objects, links);
    for (COtlObjectRef* p : objects) {
        related.names.push_back(Name(*p));
        related.classes.push_back(ClassName(*p));
        delete p;
    }
    for (COtlLinkRef* p : links) {
        related.linkClasses.push_back(ClassName(*p));
        delete p;
    }
    return hr;
}

TEST(ObjectModelTest, RelationsGiveObjectsAndLinksInTheOrderTheyWereMade)
{
    viztest::ClientFolder folder;
    auto& b = folder.Fixture();
    const LONG top = b.AddPart(L"top");
    // Made in one order, linked in another: the links' order wins.
    const LONG second = b.AddPart(L"second");
    const LONG first = b.AddPart(L"first");
    b.AddSubPart(top, first);
    b.AddSubPart(top, second);
    b.AddSubPart(top, first);
    const LONG drawing = b.AddDocument(L"Drawing", L"drawing", L"dwg");
    const LONG model = b.AddDocument(L"3DDocument", L"model", L"prt");
    b.AddPartDocument(top, L"3DDocument", model);
    b.AddPartDocument(top, L"Drawing", drawing);
    ASSERT_EQ(S_OK, b.GetStatus());
    ASSERT_EQ(S_OK, folder.Open());

    const COtlObjectRef ref = Open(L"Part", top);
    Related parts;
    ASSERT_EQ(S_OK, GetRelated(ref, L"ParentAssemblyPart", parts));
    EXPECT_EQ((std::vector<std::wstring>{L"first", L"second", L"first"}), parts.names);
    EXPECT_EQ((std::vector<std::wstring>{L"Part", L"Part", L"Part"}), parts.classes);
    EXPECT_EQ((std::vector<std::wstring>(3, L"ParentAssemblyPart")), parts.linkClasses);

    Related documents;
    ASSERT_EQ(S_OK, GetRelated(ref, L"PartWithDrawings", documents));
    EXPECT_EQ((std::vector<std::wstring>{L"model", L"drawing"}), documents.names);
    EXPECT_EQ((std::vector<std::wstring>{L"3DDocument", L"Drawing"}), documents.classes);

    // Back from a child to its parent.
    Related parents;
    ASSERT_EQ(S_OK, GetRelated(Open(L"Part", second), L"ParentAssemblyPart", parents, 2));
    EXPECT_EQ(std::vector<std::wstring>{L"top"}, parents.names);

    Related none;
    EXPECT_EQ(S_OK, GetRelated(Open(L"Part", first), L"ParentAssemblyPart", none));
    EXPECT_TRUE(none.names.empty());
    EXPECT_TRUE(FAILED(GetRelated(ref, L"NoSuchRelation", none)));
}

TEST(ObjectModelTest, FoldersOfEveryClassShareTheirRelations)
{
    viztest::ClientFolder folder;
    auto& b = folder.Fixture();
    const LONG product = b.AddFolder(L"FolderOfProduct", L"product");
    const LONG models = b.AddFolder(L"3DFolder", L"models");
    const LONG plain = b.AddFolder(L"Folder", L"plain");
    b.AddSubFolder(L"FolderOfProduct", product, L"3DFolder", models);
    b.AddSubFolder(L"FolderOfProduct", product, L"Folder", plain);
    const LONG doc = b.AddDocument(L"CappDocument", L"card", L"xls");
    b.AddFolderDocument(L"FolderOfProduct", product, L"CappDocument", doc);
    ASSERT_EQ(S_OK, b.GetStatus());
    ASSERT_EQ(S_OK, folder.Open());

    Related children;
    ASSERT_EQ(S_OK, GetRelated(Open(L"FolderOfProduct", product), L"ParentFolder", children));
    EXPECT_EQ((std::vector<std::wstring>{L"models", L"plain"}), children.names);
    EXPECT_EQ((std::vector<std::wstring>{L"3DFolder", L"Folder"}), children.classes);
    Related documents;
    ASSERT_EQ(S_OK, GetRelated(Open(L"FolderOfProduct", product), L"FolderWithDocuments", documents));
    EXPECT_EQ(std::vector<std::wstring>{L"card"}, documents.names);
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
        ASSERT_EQ(S_OK, CMetaClassRef::IsDescendentOrSelfClass(c.base, c.cls, &bResult)) << win32host::ToUtf8(c.cls);
        EXPECT_EQ(c.derives, bResult != 0) << win32host::ToUtf8(c.base) << " " << win32host::ToUtf8(c.cls);
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
    win32host::TraceRecorder trace;
    EXPECT_EQ(S_OK, pContent->DownloadToFile(_bstr_t(target.c_str())));
    EXPECT_EQ(content, viztest::ReadFile(folder.Windows(L"图纸.pdf")));
    const auto written = trace.OfKind("file_written");
    ASSERT_EQ(1u, written.size());
    EXPECT_EQ(win32host::ToUtf8(target), written[0].Get("path"));

    // Into a folder that does not exist: a failure, nothing traced.
    EXPECT_TRUE(FAILED(pContent->DownloadToFile(_bstr_t(folder.Windows(L"missing\\x.pdf").c_str()))));
    EXPECT_EQ(1u, trace.OfKind("file_written").size());

    // A part has no stored content.
    const IObjectFileContentPtr pPartContent(Open(L"Part", folder.Fixture().AddPart(L"p")).GetOtlObject());
    ASSERT_TRUE(pPartContent != nullptr);
    EXPECT_EQ(qvclient::QV_E_NOCONTENT, pPartContent->DownloadToFile(_bstr_t(folder.Windows(L"p.bin").c_str())));
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

TEST(ObjectModelTest, AStoredFileNamedByIdGivesItsNameAndContent)
{
    viztest::ClientFolder folder;
    const LONG picture = folder.Fixture().AddStoredFile(L"sign.png", "PNGDATA");
    ASSERT_EQ(S_OK, folder.Open());

    IObjectIdentityPtr pIdentity;
    ASSERT_EQ(S_OK, pIdentity.CreateInstance(CLSID_StoredFile));
    EXPECT_EQ(S_OK, pIdentity->SetObjectID(picture));
    IQvOtlObject* pObject = nullptr;
    ASSERT_EQ(S_OK, pIdentity->QueryInterface(__uuidof(IQvOtlObject), reinterpret_cast<void**>(&pObject)));
    EXPECT_EQ(L"sign.png", Name(COtlObjectRef(pObject)));
    pObject->Release();
    const IObjectFileContentPtr pContent(pIdentity);
    ASSERT_TRUE(pContent != nullptr);
    EXPECT_EQ(S_OK, pContent->DownloadToFile(_bstr_t(folder.Windows(L"12sign.png").c_str())));
    EXPECT_EQ("PNGDATA", viztest::ReadFile(folder.Windows(L"12sign.png")));

    // Another id names no stored file.
    pIdentity->SetObjectID(picture + 1000);
    EXPECT_TRUE(FAILED(pContent->DownloadToFile(_bstr_t(folder.Windows(L"none.png").c_str()))));
}

TEST(ObjectModelTest, TheClientsFoldersAreWindowsPathsOfItsOwnFolder)
{
    viztest::ClientFolder folder;
    ASSERT_EQ(S_OK, folder.Open());
    CString strTemp;
    CString strConfig;
    ASSERT_EQ(S_OK, CSystemPathHelper::GetSystemTempPath(strTemp));
    ASSERT_EQ(S_OK, CSystemPathHelper::GetSystemConfigPath(strConfig));
    EXPECT_EQ(folder.Posix() + "/temp", win32host::ToPosixPath(strTemp.GetString()));
    EXPECT_EQ(folder.Posix() + "/config", win32host::ToPosixPath(strConfig.GetString()));
    EXPECT_TRUE(std::filesystem::is_directory(win32host::ToPosixPath(strTemp.GetString())));
    EXPECT_EQ(std::wstring::npos, std::wstring(strTemp.GetString()).find(L'/'));
}

} // namespace
