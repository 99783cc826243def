// kernel32 file functions and shlwapi path helpers with their Windows results and error codes.
#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>

#include <windows.h>
#include <shlwapi.h>

#include "ScratchFolder.h"

namespace {

TEST(Files, FoldersAndFilesWithTheirErrorsAndTheSystemFolderExists)
{
    viztest::ScratchFolder root;
    const std::wstring folder = root.Windows(L"signature");
    EXPECT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    EXPECT_FALSE(CreateDirectoryW(folder.c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryW(root.Windows(L"no\\such\\parent").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_TRUE(PathIsDirectoryW(folder.c_str()));

    viztest::WriteFile(root.Windows(L"signature/a.png"), "x");
    EXPECT_FALSE(DeleteFileW(folder.c_str())); // a folder is not a file
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(DeleteFileW((folder + L"\\a.png").c_str()));
    EXPECT_FALSE(DeleteFileW((folder + L"\\a.png").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesW((folder + L"\\a.png").c_str()), INVALID_FILE_ATTRIBUTES);

    wchar_t system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    EXPECT_TRUE(PathIsDirectoryW(system));
}

TEST(CodePages, Utf8AndItsIllFormedSubparts)
{
    const char* text = "\xE8\xBD\xBB\xE9\x87\x8F\xE5\x8C\x96";
    wchar_t wide[8];
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, 8), 4);
    EXPECT_STREQ(wide, L"轻量化");
    char narrow[16];
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"轻", 1, narrow, 16, nullptr, nullptr), 3);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"轻", -1, narrow, 2, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    // A text longer than the sixteen characters an ASCII text is narrowed by at a time.
    char sql[64] = {};
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"SELECT 轻 FROM T_Part WHERE 1", -1, sql, 64, nullptr, nullptr), 31);
    EXPECT_STREQ(sql, "SELECT \xE8\xBD\xBB FROM T_Part WHERE 1");

    // Each maximal ill-formed subpart of UTF-8 becomes one U+FFFD; MB_ERR_INVALID_CHARS refuses it.
    const struct {
        const char* utf8;
        const wchar_t* wide;
    } cases[] = {
        {"\xFF", L"\xFFFD"},
        {"\xC0\x80", L"\xFFFD\xFFFD"},                 // overlong: C0 starts nothing
        {"\xE0\x80\x80", L"\xFFFD\xFFFD\xFFFD"},         // overlong after E0
        {"\xED\xA0\x80", L"\xFFFD\xFFFD\xFFFD"},         // a surrogate
        {"\xF4\x90\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD"}, // above U+10FFFF
        {"\xE8\xBD" "A", L"\xFFFD" L"A"},                // cut short
        {"a\xF0\x9F\x98", L"a\xFFFD"},
    };
    for (const auto& c : cases) {
        wchar_t wide[8] = {};
        const int length = static_cast<int>(std::strlen(c.utf8));
        EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, c.utf8, length, wide, 8), static_cast<int>(std::wcslen(c.wide))) << c.utf8;
        EXPECT_STREQ(wide, c.wide) << c.utf8;
        EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, c.utf8, length, wide, 8), 0) << c.utf8;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION)) << c.utf8;
    }
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "\xEF\xBF\xBD\xF0\x9F\x98\x80", -1, wide, 4), 3);
    EXPECT_STREQ(wide, L"\xFFFD\U0001F600");
    const wchar_t lone[] = {0xD800, 0};
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, lone, -1, narrow, 8, nullptr, nullptr), 4);
    EXPECT_STREQ(narrow, "\xEF\xBF\xBD");
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone, -1, narrow, 8, nullptr, nullptr), 0);
}

// The ANSI code page of Chinese (PRC) Windows: CP_ACP is 936, GBK.
TEST(CodePages, AnsiIsGbk)
{
    const struct {
        const wchar_t* wide;
        const char* ansi;
        BOOL usedDefault;
    } cases[] = {
        {L"轻量化", "\xC7\xE1\xC1\xBF\xBB\xAF", FALSE},
        {L"张工 A-01", "\xD5\xC5\xB9\xA4 A-01", FALSE},
        {L"김 Kim", "? Kim", TRUE}, // Hangul is not in the code page
    };
    for (const auto& c : cases) {
        char narrow[32] = {};
        BOOL usedDefault = -1;
        const int n = WideCharToMultiByte(CP_ACP, 0, c.wide, -1, narrow, 32, nullptr, &usedDefault);
        EXPECT_EQ(n, static_cast<int>(std::strlen(c.ansi)) + 1) << c.ansi;
        EXPECT_STREQ(narrow, c.ansi);
        EXPECT_EQ(usedDefault, c.usedDefault) << c.ansi;
        if (!c.usedDefault) {
            wchar_t wide[32] = {};
            EXPECT_EQ(MultiByteToWideChar(936, 0, c.ansi, -1, wide, 32), static_cast<int>(std::wcslen(c.wide)) + 1);
            EXPECT_STREQ(wide, c.wide);
        }
    }
    // A lead byte with no trail byte is no character.
    wchar_t wide[8];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, "a\xC7", 2, wide, 8), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
}

TEST(PathHelpers, SplitWindowsPaths)
{
    EXPECT_STREQ(PathFindExtensionW(L"D:\\out\\a.b.PDF"), L".PDF");
    EXPECT_STREQ(PathFindExtensionW(L"D:\\dir.x\\file"), L"");
    EXPECT_STREQ(PathFindFileNameW(L"D:\\out\\a.pdf"), L"a.pdf");
    EXPECT_STREQ(PathFindFileNameW(L"D:\\out\\"), L"out\\");
}

} // namespace
