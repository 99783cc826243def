// The sample database opens as a client folder with a structure the commands can walk.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <win32host/Paths.h>
#include <win32host/Trace.h>

#include "ComRef.h"
#include "ScratchFolder.h"
#include "QvATLHelper.h"
#include "ZORRTWrapper.h"
#include "qvclient/Client.h"
#include "qvclient/Fixture.h"

namespace {

std::vector<std::wstring> RelatedNames(const COtlObjectRef& ref, const wchar_t* pszRelation)
{
    std::list<COtlObjectRef*> objects;
    std::list<COtlLinkRef*> links;
    EXPECT_EQ(S_OK, ref.GetRelatedObjects(pszRelation, 1, objects, links));
    std::vector<std::wstring> names;
    for (COtlObjectRef* p : objects) {
        VARIANT var;
        VariantInit(&var);
        p->GetPropertyValue(L"name", &var);
        names.push_back(CVariantHelper::VariantToString(var).GetString());
        VariantClear(&var);
        delete p;
    }
    for (COtlLinkRef* p : links)
        delete p;
    return names;
}

TEST(SampleDatabaseTest, HoldsAnAssemblyWithDocumentsAndAUserWhoMayOutputFiles)
{
    const viztest::ScratchFolder scratch;
    const std::string& folder = scratch.Posix();
    ASSERT_EQ(S_OK, qvclient::CreateSampleDatabase(win32host::FromPosixPath(folder)));
    {
        qvclient::Client client;
        ASSERT_EQ(S_OK, client.Open(win32host::FromUtf8(folder)));
        ASSERT_EQ(S_OK, client.RegisterComponents());

        // The top assembly is the part that is nobody's child.
        std::unique_ptr<qvclient::IDbCursor> cursor;
        ASSERT_EQ(S_OK, client.GetDatabase()->Query(
                            L"SELECT OBJ_ID FROM T_Part WHERE OBJ_ID NOT IN (SELECT roleB_id FROM T_ObjectLink "
                            L"WHERE RELATION_CLASS_ID = 6001)",
                            {}, cursor));
        ASSERT_FALSE(cursor->IsEof());
        COtlObjectRef top;
        ASSERT_EQ(S_OK, top.RawCreate(L"Part"));
        top.SetID(static_cast<ULONG>(cursor->GetValue(0).integer));
        cursor->MoveNext();
        EXPECT_TRUE(cursor->IsEof());

        const auto parts = RelatedNames(top, L"ParentAssemblyPart");
        ASSERT_EQ(2u, parts.size());
        EXPECT_EQ(2u, RelatedNames(top, L"PartWithDrawings").size());

        short bAllowed = 0;
        ASSERT_EQ(S_OK, CSecurityHelper::CheckObjectBehaviorMethod(top.GetOtlObject(), L"Documentation", L"OutputFile", &bAllowed));
        EXPECT_NE(0, bAllowed);
        CPlmSystemRef system;
        ASSERT_EQ(S_OK, system.Create());
        int nWatermark = 0;
        EXPECT_EQ(S_OK, system.GetZORGlobalParam(L"NEEDWATER_DOWNLOADPDF", &nWatermark));

        // Every light file's content is in the vault and PDFs start as PDFs do.
        ASSERT_EQ(S_OK, client.GetDatabase()->Query(
                            L"SELECT T_LightFile.filetype, T_StoredFile.VAULT_NAME FROM T_LightFile INNER JOIN "
                            L"T_StoredFile ON T_StoredFile.OBJ_ID = T_LightFile.STOREDFILE_ID",
                            {}, cursor));
        int nFiles = 0;
        for (; !cursor->IsEof(); cursor->MoveNext(), ++nFiles) {
            std::string content;
            ASSERT_EQ(S_OK, qvclient::ReadVaultContent(*client.GetVault(), cursor->GetValue(1).text, content))
                << win32host::ToUtf8(cursor->GetValue(1).text);
            if (cursor->GetValue(0).text == L"pdf") {
                EXPECT_EQ(std::string("%PDF-"), content.substr(0, 5));
            }
        }
        EXPECT_GE(nFiles, 8);
        EXPECT_TRUE(std::filesystem::is_regular_file(folder + "/config/commcfg/Viewermap.xml"));
    }
}

} // namespace
