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

TEST_F(SignPicture, IdAndStoredNameMakeTheFileName)
{
    m_model.vault.files[12] = {L"sign.png", "picture-bytes"};
    CString strPath;
    EXPECT_EQ(S_OK, m_signer.ExportSignPicture(12, strPath));
    EXPECT_EQ(InSignatureFolder(L"12sign.png"), std::wstring(strPath));
    EXPECT_EQ("picture-bytes", ReadFile(InSignatureFolder(L"12sign.png")));
}

TEST_F(SignPicture, NameWithoutDotBecomesPictureBmp)
{
    m_model.vault.files[5] = {L"sign", "a"};
    m_model.vault.files[6] = {L"", "b"};
    CString strPath;
    EXPECT_EQ(S_OK, m_signer.ExportSignPicture(5, strPath));
    EXPECT_EQ(InSignatureFolder(L"5picture.bmp"), std::wstring(strPath));
    EXPECT_EQ(S_OK, m_signer.ExportSignPicture(6, strPath));
    EXPECT_EQ(InSignatureFolder(L"6picture.bmp"), std::wstring(strPath));
    EXPECT_EQ("b", ReadFile(InSignatureFolder(L"6picture.bmp")));
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

TEST_F(SignPicture, FailedDownloadReturnsItsStatusWithThePathSet)
{
    m_model.vault.files[12] = {L"sign.png", "x", E_ACCESSDENIED};
    CString strPath;
    EXPECT_EQ(E_ACCESSDENIED, m_signer.ExportSignPicture(12, strPath));
    EXPECT_EQ(InSignatureFolder(L"12sign.png"), std::wstring(strPath));
    EXPECT_FALSE(FileExists(InSignatureFolder(L"12sign.png")));
}

TEST_F(SignPicture, UnregisteredStoredFileGivesNullPointerAndNoPath)
{
    m_model.storedFileCreation = REGDB_E_CLASSNOTREG;
    CString strPath;
    EXPECT_EQ(E_POINTER, m_signer.ExportSignPicture(12, strPath));
    EXPECT_TRUE(strPath.IsEmpty());
}

TEST_F(SignPicture, StoredFileWithoutContentGivesNullPointer)
{
    m_model.offerFileContent = false;
    CString strPath;
    EXPECT_EQ(E_POINTER, m_signer.ExportSignPicture(12, strPath));
    EXPECT_TRUE(strPath.IsEmpty());
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
