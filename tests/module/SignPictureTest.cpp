// Signature pictures: fetched once into the temporary folder's "signature" folder.
#include <windows.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "FakeObjects.h"
#include "FakePlm.h"
#include "ScratchFolder.h"
#include "signing/PdfSigner.h"

using namespace moduletest;
using namespace viztest;

namespace {

class SignPicture : public testing::Test {
protected:
    SignPicture() { m_system.config.tempPath = m_temp.Windows(); }

    std::wstring InSignatureFolder(const std::wstring& name) const { return m_temp.Windows(L"signature\\" + name); }

    ScratchFolder m_temp;
    FakePlmSystem m_system;
    FakeObjectModel m_model;
    CPdfSigner m_signer;
};

// The id and the stored name make the file's name; a name without a dot is a bitmap's.
TEST_F(SignPicture, IdAndStoredNameMakeTheFileName)
{
    const struct {
        LONG id;
        const wchar_t* stored;
        const wchar_t* file;
    } cases[] = {{12, L"sign.png", L"12sign.png"}, {5, L"sign", L"5picture.bmp"}, {6, L"", L"6picture.bmp"}};
    for (const auto& c : cases) {
        m_model.vault.files[c.id] = {c.stored, "picture " + std::to_string(c.id)};
        CString strPath;
        EXPECT_EQ(S_OK, m_signer.ExportSignPicture(c.id, strPath)) << c.id;
        EXPECT_EQ(InSignatureFolder(c.file), std::wstring(strPath)) << c.id;
        EXPECT_EQ("picture " + std::to_string(c.id), ReadFile(InSignatureFolder(c.file))) << c.id;
    }
}

TEST_F(SignPicture, NameThatCouldLeaveTheFolderIsNotFetched)
{
    const wchar_t* const names[] = {L"..\\x.bmp", L"../x.bmp", L"a/b.bmp", L"a\\b.bmp", L"..", L".",
        L"C:\\x.bmp", L"\\..\\..\\x.bmp", L"sub\\..\\..\\..\\x.bmp"};
    for (const wchar_t* name : names) {
        m_model.vault.files[12] = {name, "picture-bytes"};
        CString strPath;
        EXPECT_EQ(E_INVALIDARG, m_signer.ExportSignPicture(12, strPath)) << name;
        EXPECT_TRUE(strPath.IsEmpty()) << name;
    }
    EXPECT_TRUE(m_model.vault.downloads.empty());
    EXPECT_EQ("", FolderText(m_temp.Windows()));
}

TEST_F(SignPicture, PresentFileIsReused)
{
    m_model.vault.files[12] = {L"sign.png", "new"};
    CreateDirectoryW(m_temp.Windows(L"signature").c_str(), nullptr);
    WriteFile(InSignatureFolder(L"12sign.png"), "old");
    CString strPath;
    EXPECT_EQ(S_OK, m_signer.ExportSignPicture(12, strPath));
    EXPECT_EQ(S_OK, CPdfSigner().ExportSignPicture(12, strPath));
    EXPECT_TRUE(m_model.vault.downloads.empty());
    EXPECT_EQ("old", ReadFile(InSignatureFolder(L"12sign.png")));
}

// A failed download keeps the path it was to have; without a stored file object there is none.
TEST_F(SignPicture, FailuresReturnTheirStatus)
{
    const struct {
        const char* what;
        HRESULT download, creation;
        bool content;
        HRESULT result;
        bool path;
    } cases[] = {
        {"failed download", E_ACCESSDENIED, S_OK, true, E_ACCESSDENIED, true},
        {"unregistered stored file", S_OK, REGDB_E_CLASSNOTREG, true, E_POINTER, false},
        {"no file content", S_OK, S_OK, false, E_POINTER, false},
    };
    for (const auto& c : cases) {
        m_model.vault.files[12] = {L"sign.png", "x", c.download};
        m_model.storedFileCreation = c.creation;
        m_model.offerFileContent = c.content;
        CString strPath;
        EXPECT_EQ(c.result, m_signer.ExportSignPicture(12, strPath)) << c.what;
        EXPECT_EQ(c.path ? InSignatureFolder(L"12sign.png") : L"", std::wstring(strPath)) << c.what;
        EXPECT_FALSE(FileExists(InSignatureFolder(L"12sign.png"))) << c.what;
    }
}

TEST_F(SignPicture, FolderIsAskedForOnce)
{
    CString strFirst = m_signer.GetSignatureFolder();
    EXPECT_EQ(m_temp.Windows() + L"\\signature\\", std::wstring(strFirst));
    EXPECT_TRUE(std::filesystem::is_directory(PosixOf(m_temp.Windows(L"signature"))));
    int creations = m_system.Creations();
    m_system.config.tempPath = L"C:\\elsewhere";
    EXPECT_EQ(strFirst, m_signer.GetSignatureFolder());
    EXPECT_EQ(creations, m_system.Creations());
}

} // namespace
