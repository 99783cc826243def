// Signature pictures: fetched once into the temporary folder's "signature" folder.
#include <windows.h>

#include <filesystem>

#include <gtest/gtest.h>

#include <winenv/Trace.h>

#include "ClientFolder.h"
#include "SystemInterposer.h"
#include "qvclient/Errors.h"
#include "signing/PdfSigner.h"

using namespace viztest;

namespace {

class SignPicture : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, m_client.Open());
        m_trace.Clear();
    }

    std::wstring Temp() { return m_client.Client().GetTempPath(); }
    std::wstring InSignatureFolder(const std::wstring& name) { return Temp() + L"\\signature\\" + name; }
    std::vector<winenv::TraceEvent> Downloads() const { return m_trace.OfKind("file_written"); }

    ClientFolder m_client;
    winenv::TraceRecorder m_trace;
    CPdfSigner m_signer;
};

// The id and the stored name make the file's name; a name without a dot is a bitmap's.
TEST_F(SignPicture, IdAndStoredNameMakeTheFileName)
{
    for (const auto& [stored, file] : {std::pair(L"sign.png", L"sign.png"), {L"sign", L"picture.bmp"}, {L"", L"picture.bmp"}}) {
        const LONG id = m_client.Fixture().AddStoredFile(stored, "picture " + winenv::ToUtf8(stored));
        const std::wstring path = InSignatureFolder(std::to_wstring(id) + file);
        CString strPath;
        EXPECT_EQ(S_OK, m_signer.ExportSignPicture(id, strPath)) << id;
        EXPECT_EQ(path, std::wstring(strPath)) << id;
        EXPECT_EQ("picture " + winenv::ToUtf8(stored), ReadFile(path)) << id;
    }
}

TEST_F(SignPicture, NameThatCouldLeaveTheFolderIsNotFetched)
{
    const std::string before = FolderText(Temp());
    const wchar_t* const names[] = {L"..\\x.bmp", L"../x.bmp", L"a/b.bmp", L"a\\b.bmp", L"..", L".",
        L"C:\\x.bmp", L"\\..\\..\\x.bmp", L"sub\\..\\..\\..\\x.bmp"};
    for (const wchar_t* name : names) {
        CString strPath;
        EXPECT_EQ(E_INVALIDARG, m_signer.ExportSignPicture(m_client.Fixture().AddStoredFile(name, "x"), strPath)) << name;
        EXPECT_TRUE(strPath.IsEmpty()) << name;
    }
    EXPECT_TRUE(Downloads().empty());
    EXPECT_EQ(before, FolderText(Temp()));
}

TEST_F(SignPicture, PresentFileIsReused)
{
    const LONG id = m_client.Fixture().AddStoredFile(L"sign.png", "new");
    CreateDirectoryW((Temp() + L"\\signature").c_str(), nullptr);
    const std::wstring path = InSignatureFolder(std::to_wstring(id) + L"sign.png");
    WriteFile(path, "old");
    CString strPath;
    EXPECT_EQ(S_OK, m_signer.ExportSignPicture(id, strPath));
    EXPECT_EQ(S_OK, CPdfSigner().ExportSignPicture(id, strPath));
    EXPECT_TRUE(Downloads().empty());
    EXPECT_EQ("old", ReadFile(path));
}

// A failed download keeps the path it was to have; without a stored file object there is none.
TEST_F(SignPicture, FailuresReturnTheirStatus)
{
    const struct {
        const char* what;
        HRESULT creation; // of the stored file object; S_FALSE: an object that holds no file content
        HRESULT result;
        bool path;
    } cases[] = {
        {"no such stored file", S_OK, qvclient::QV_E_OBJECTNOTFOUND, true},
        {"unregistered stored file", REGDB_E_CLASSNOTREG, E_POINTER, false},
        {"no file content", S_FALSE, E_POINTER, false},
    };
    const LONG id = m_client.Fixture().AddStoredFile(L"sign.png", "x") + 1000;
    for (const auto& c : cases) {
        // The system object is one without file content.
        std::unique_ptr<ClassRegistration> storedFile;
        if (c.creation != S_OK)
            storedFile = m_client.RegisterInFront(CLSID_StoredFile, [&c](REFIID iid, void** ppv) {
                return FAILED(c.creation) ? c.creation : CoCreateInstance(CLSID_QvPlmSystem, nullptr, CLSCTX_ALL, iid, ppv);
            });
        CString strPath;
        EXPECT_EQ(c.result, m_signer.ExportSignPicture(id, strPath)) << c.what;
        EXPECT_EQ(c.path ? InSignatureFolder(std::to_wstring(id) + L"picture.bmp") : L"", std::wstring(strPath)) << c.what;
        EXPECT_TRUE(Downloads().empty()) << c.what;
    }
}

TEST_F(SignPicture, FolderIsAskedForOnce)
{
    SystemFaults faults;
    SystemInterposer system(m_client.Client(), faults);
    CString strFirst = m_signer.GetSignatureFolder();
    EXPECT_EQ(Temp() + L"\\signature\\", std::wstring(strFirst));
    EXPECT_TRUE(std::filesystem::is_directory(PosixOf(Temp() + L"\\signature")));
    EXPECT_EQ(1, faults.creations);
    EXPECT_EQ(strFirst, m_signer.GetSignatureFolder());
    EXPECT_EQ(1, faults.creations);
}

} // namespace
