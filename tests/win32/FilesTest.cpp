// kernel32 file functions and shlwapi path helpers with their Windows results and error codes.
#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>

#include <windows.h>
#include <shlwapi.h>

#include "ScratchFolder.h"

namespace {

TEST(Files, FoldersAndTheirErrorsAndCopiesAndMovesThatRespectExistingTargets)
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
    EXPECT_FALSE(RemoveDirectoryW(folder.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_FALSE(DeleteFileW(folder.c_str())); // a folder is not a file
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(DeleteFileW((folder + L"\\a.png").c_str()));
    EXPECT_FALSE(DeleteFileW((folder + L"\\a.png").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));
    EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);

    viztest::WriteFile(root.Windows(L"a.pdf"), "first");
    viztest::WriteFile(root.Windows(L"b.pdf"), "second");
    EXPECT_FALSE(CopyFileW(root.Windows(L"a.pdf").c_str(), root.Windows(L"b.pdf").c_str(), TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_TRUE(CopyFileW(root.Windows(L"a.pdf").c_str(), root.Windows(L"b.pdf").c_str(), FALSE));
    EXPECT_EQ(viztest::ReadFile(root.Windows(L"b.pdf")), "first");

    viztest::WriteFile(root.Windows(L"c.pdf"), "third");
    EXPECT_FALSE(MoveFileExW(root.Windows(L"c.pdf").c_str(), root.Windows(L"b.pdf").c_str(), 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(MoveFileExW(root.Windows(L"c.pdf").c_str(), root.Windows(L"b.pdf").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(viztest::ReadFile(root.Windows(L"b.pdf")), "third");
    EXPECT_FALSE(PathFileExistsW(root.Windows(L"c.pdf").c_str()));
}

TEST(Files, HandlesReadAndWriteRegularFilesAndTheSystemFoldersExist)
{
    viztest::ScratchFolder root;
    const std::wstring path = root.Windows(L"data.bin");
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "hello", 5, &written, nullptr));
    EXPECT_EQ(written, 5u);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(CloseHandle(file));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    EXPECT_EQ(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)); // success, with a note
    DWORD high = 1;
    EXPECT_EQ(GetFileSize(file, &high), 5u);
    EXPECT_EQ(high, 0u);
    char buffer[16] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(std::string(buffer, read), "hello");
    CloseHandle(file);
    EXPECT_EQ(CreateFileW(root.Windows(L"missing").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
        INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    wchar_t temp[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, temp);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(temp[length - 1], L'\\');
    EXPECT_TRUE(PathIsDirectoryW(temp));
    EXPECT_EQ(GetTempPathW(2, temp), length + 1); // too small: the size needed

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
    EXPECT_EQ(GetACP(), 936u);
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

TEST(PathHelpers, SplitAndJoinWindowsPaths)
{
    EXPECT_STREQ(PathFindExtensionW(L"D:\\out\\a.b.PDF"), L".PDF");
    EXPECT_STREQ(PathFindExtensionW(L"D:\\dir.x\\file"), L"");
    EXPECT_STREQ(PathFindFileNameW(L"D:\\out\\a.pdf"), L"a.pdf");
    EXPECT_STREQ(PathFindFileNameW(L"D:\\out\\"), L"out\\");

    wchar_t path[MAX_PATH] = L"D:\\out";
    EXPECT_TRUE(PathAppendW(path, L"\\sub"));
    EXPECT_STREQ(path, L"D:\\out\\sub");
    EXPECT_TRUE(PathRemoveFileSpecW(path));
    EXPECT_STREQ(path, L"D:\\out");
    EXPECT_TRUE(PathRemoveFileSpecW(path));
    EXPECT_STREQ(path, L"D:\\");
    EXPECT_FALSE(PathRemoveFileSpecW(path));

    wchar_t combined[MAX_PATH];
    EXPECT_STREQ(PathCombineW(combined, L"D:\\a\\", L"b.pdf"), L"D:\\a\\b.pdf");
    EXPECT_STREQ(PathCombineW(combined, L"D:\\a", L"C:\\b"), L"C:\\b");

    wchar_t folder[MAX_PATH] = L"D:\\a";
    PathAddBackslashW(folder);
    PathAddBackslashW(folder);
    EXPECT_STREQ(folder, L"D:\\a\\");
    PathRemoveBackslashW(folder);
    EXPECT_STREQ(folder, L"D:\\a");
    wchar_t root[MAX_PATH] = L"D:\\";
    PathRemoveBackslashW(root);
    EXPECT_STREQ(root, L"D:\\");
}

} // namespace
