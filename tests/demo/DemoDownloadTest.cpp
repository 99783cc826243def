// Every light file of the demo database, current or not, comes out of the vault through the
// client's stored file component, with the content its type promises.
#include <gtest/gtest.h>

#include <filesystem>

#include <objbase.h>
#include <winenv/Paths.h>
#include <winenv/Trace.h>

#include "DemoTestSupport.h"
#include "ObjectDownload.h"

namespace demotest {
namespace {

std::string MagicOf(const std::wstring& filetype)
{
    if (filetype == L"pdf")
        return "%PDF-";
    if (filetype == L"dwg")
        return "AC1032";
    if (filetype == L"step")
        return "ISO-10303-21;";
    if (filetype == L"xlsx")
        return "PK\x03\x04";
    return "?";
}

TEST(DemoDownloadTest, EveryLightFileDownloadsWithItsContent)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ScratchFolder folder;
    qvclient::DemoSize size;
    size.levels = 2;
    size.documentsPerPart = 4;
    size.filesPerDocument = 3;
    size.pdfPages = 1;
    size.distinctFiles = 2; // most files share vault content
    ASSERT_EQ(S_OK, qvclient::CreateDemoDatabase(folder.Windows(), size));
    qvclient::Client client;
    ASSERT_EQ(S_OK, client.Open(folder.Windows()));
    ASSERT_EQ(S_OK, client.RegisterComponents());

    std::unique_ptr<qvclient::IDbCursor> cursor;
    ASSERT_EQ(S_OK, client.GetDatabase()->Query(L"SELECT T_LightFile.OBJ_ID, T_LightFile.filetype, "
                                                L"T_StoredFile.FILE_SIZE FROM T_LightFile INNER JOIN T_StoredFile ON "
                                                L"T_StoredFile.OBJ_ID = T_LightFile.STOREDFILE_ID ORDER BY 1",
                      {}, cursor));
    const std::string out = folder.Posix() + "/out";
    std::filesystem::create_directories(out);
    int files = 0;
    for (; !cursor->IsEof(); cursor->MoveNext(), ++files) {
        const LONG id = static_cast<LONG>(cursor->GetValue(0).integer);
        const std::string target = out + "/" + std::to_string(id);
        ASSERT_EQ(S_OK, viztest::DownloadObjectFile(L"LightFile", id, winenv::FromPosixPath(target)))
            << "light file " << id;
        const std::string bytes = ReadPosixFile(target);
        EXPECT_EQ(static_cast<size_t>(cursor->GetValue(2).integer), bytes.size()) << id;
        const std::string magic = MagicOf(cursor->GetValue(1).text);
        EXPECT_EQ(magic, bytes.substr(0, magic.size())) << id << " " << winenv::ToUtf8(cursor->GetValue(1).text);
    }
    // The current files and those of older revisions and iterations.
    EXPECT_GT(files, size.LightFileCount());
    client.RevokeComponents();
    CoUninitialize();
}

} // namespace
} // namespace demotest
