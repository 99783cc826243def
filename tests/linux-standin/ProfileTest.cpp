// The private profile functions as the signing job uses them.
#include <gtest/gtest.h>

#include <windows.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#include <winenv/AtomicFile.h>
#include <winenv/Paths.h>
#include <winenv/Trace.h>

#include "SmallDisk.h"
#include "../fidelity/AnsiNames.h"
#include "ScratchFolder.h"

namespace {

class ProfileTest : public ::testing::Test {
protected:
    std::wstring Ini() const { return m_folder.Windows(L"job.pdf.ini"); }
    std::string Content() const { return viztest::ReadFile(Ini()); }
    std::wstring Get(const wchar_t* section, const wchar_t* key, const wchar_t* def = L"<none>")
    {
        wchar_t buffer[256];
        GetPrivateProfileStringW(section, key, def, buffer, 256, Ini().c_str());
        return buffer;
    }

    viztest::ScratchFolder m_folder;
};

// What a run of writes makes of the file; null names delete, a case without a file leaves none.
TEST_F(ProfileTest, WritesKeepTheWindowsLayoutAndWhatIsThere)
{
    struct Write {
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* value;
    };
    const struct {
        const char* name;
        const char* before; // null: no file
        std::vector<Write> writes;
        const char* after; // null: still no file
    } cases[] = {
        {"a new file is in the ANSI code page, 936", nullptr,
            {{L"PDFSIGN", L"NUMBER", L"2"}, {L"SIGN1", L"CONTENT", L"张三"}, {L"SIGN1", L"X", L"100"},
                {L"SIGN2", L"IMAGE", L"C:\\tmp\\signature\\7a.png"}},
            "[PDFSIGN]\r\nNUMBER=2\r\n[SIGN1]\r\nCONTENT=\xD5\xC5\xC8\xFD\r\nX=100\r\n"
            "[SIGN2]\r\nIMAGE=C:\\tmp\\signature\\7a.png\r\n"},
        {"a key written twice keeps its place; names ignore case", nullptr,
            {{L"S", L"A", L"1"}, {L"S", L"B", L"2"}, {L"s", L"a", L"3"}}, "[S]\r\nA=3\r\nB=2\r\n"},
        {"existing content is kept, new keys join their section",
            "; made by hand\n[First]\nold = value\n\n[Second]\nz=1\n", {{L"First", L"new", L"x"}, {L"Third", L"k", L"v"}},
            "; made by hand\n[First]\nold = value\nnew=x\n\n[Second]\nz=1\n[Third]\nk=v\n"},
        {"values are written unchanged", nullptr, {{L"S", L"padded", L"  two words  "}, {L"S", L"quoted", L"\"q\""}},
            "[S]\r\npadded=  two words  \r\nquoted=\"q\"\r\n"},
        {"a null value deletes the key, a null key the section", "[A]\r\nk1=1\r\nk2=2\r\n[B]\r\nk=3\r\n[C]\r\nc=4\r\n",
            {{L"A", L"k1", nullptr}, {L"C", nullptr, nullptr}}, "[A]\r\nk2=2\r\n[B]\r\nk=3\r\n"},
        {"deleting creates no file", nullptr, {{L"A", L"k", nullptr}, {L"A", nullptr, nullptr}}, nullptr},
        {"a last line without its end gets one when a key follows it", "[S]\r\na=1", {{L"S", L"b", L"2"}, {L"S", L"c", L"3"}},
            "[S]\r\na=1\r\nb=2\r\nc=3\r\n"},
        {"a line break in a value makes a line of its own", nullptr, {{L"S", L"k", L"x\r\ny=2"}, {L"S", L"y", L"3"}},
            "[S]\r\nk=x\r\ny=3\r\n"},
    };
    for (const auto& c : cases) {
        DeleteFileW(Ini().c_str());
        if (c.before)
            viztest::WriteFile(Ini(), c.before);
        for (const Write& w : c.writes)
            EXPECT_TRUE(WritePrivateProfileStringW(w.section, w.key, w.value, Ini().c_str())) << c.name;
        EXPECT_EQ(viztest::FileExists(Ini()), c.after != nullptr) << c.name;
        if (c.after) {
            EXPECT_EQ(Content(), c.after) << c.name;
        }
    }
}

// Values are trimmed of blanks (white space, ^Z too) and quotes, a default too; numbers read as the system reads them.
TEST_F(ProfileTest, ReadsTrimValuesAndParseNumbersLikeTheSystem)
{
    viztest::WriteFile(Ini(), "[S]\r\npadded=  two words  \r\nquoted=\"in quotes\"\r\nn= 42abc\r\nhex=0x1F\r\nneg=-3\r\n"
                              "empty=\r\nctl=\x0B\x0C" "ctl\x1A\r\ntail=end\r");
    const struct {
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* text; // with the default "fallback  "
        INT number;          // with the default 7; text that is no number reads 0
    } cases[] = {
        {L"S", L"padded", L"two words", 0}, {L"S", L"quoted", L"in quotes", 0}, {L"S", L"missing", L"fallback", 7},
        {L"Nope", L"padded", L"fallback", 7}, {L"S", L"n", L"42abc", 42}, {L"S", L"hex", L"0x1F", 31},
        {L"S", L"neg", L"-3", -3}, {L"S", L"empty", L"", 7}, {L"S", L"ctl", L"ctl", 0}, {L"S", L"tail", L"end", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Get(c.section, c.key, L"fallback  "), c.text) << ::testing::PrintToString(std::wstring(c.key));
        EXPECT_EQ(static_cast<INT>(GetPrivateProfileIntW(c.section, c.key, 7, Ini().c_str())), c.number)
            << ::testing::PrintToString(std::wstring(c.key));
    }
    wchar_t buffer[4];
    EXPECT_EQ(GetPrivateProfileStringW(L"S", L"padded", L"", buffer, 4, Ini().c_str()), 3u) << "cut to the buffer";
    EXPECT_STREQ(buffer, L"two");
}

TEST_F(ProfileTest, ListsSectionAndKeyNames)
{
    WritePrivateProfileStringW(L"A", L"one", L"1", Ini().c_str());
    WritePrivateProfileStringW(L"A", L"two", L"2", Ini().c_str());
    WritePrivateProfileStringW(L"B", L"x", L"3", Ini().c_str());
    wchar_t buffer[64];
    DWORD n = GetPrivateProfileStringW(nullptr, nullptr, L"", buffer, 64, Ini().c_str());
    // Each name ends with a NUL, the list with one more, which the count leaves out.
    EXPECT_EQ(std::wstring(buffer, n + 1), std::wstring(L"A\0B\0\0", 5));
    n = GetPrivateProfileStringW(L"A", nullptr, L"", buffer, 64, Ini().c_str());
    EXPECT_EQ(std::wstring(buffer, n + 1), std::wstring(L"one\0two\0\0", 9));
}

// Whatever changes the file between calls, the next call works on what is on disk now: another
// program's edit of the same length, a file removed, a file put back as it was.
TEST_F(ProfileTest, EveryCallSeesTheFileAsItIsOnDisk)
{
    struct Step {
        const char* name;
        const char* replaceWith; // written behind the API's back first; null: nothing; "": remove
        const wchar_t* expected; // what reading [S] K gives next
    };
    const Step steps[] = {
        {"written through the API", nullptr, L"1"},
        {"edited elsewhere, same length", "[S]\r\nK=2\r\n", L"2"},
        {"removed", "", L"<none>"},
        {"put back as first written", "[S]\r\nK=1\r\n", L"1"},
        {"edited elsewhere again", "[S]\r\nK=3\r\n", L"3"},
    };
    ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"K", L"1", Ini().c_str()));
    for (const Step& step : steps) {
        if (step.replaceWith != nullptr && *step.replaceWith == 0)
            DeleteFileW(Ini().c_str());
        else if (step.replaceWith != nullptr)
            viztest::WriteFile(Ini(), step.replaceWith);
        EXPECT_EQ(step.expected, Get(L"S", L"K")) << step.name;
    }
    // A write after an edit elsewhere keeps that edit.
    viztest::WriteFile(Ini(), "[S]\r\nK=4\r\n");
    ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"L", L"5", Ini().c_str()));
    EXPECT_EQ("[S]\r\nK=4\r\nL=5\r\n", Content());
}

// Something at the job's path that is no ordinary file is neither read, written through nor waited
// on: it is, to Windows, a folder or a reparse point it cannot open. Writes fail with that error,
// reads give the default at once, and what a link points to stays as it was.
TEST_F(ProfileTest, WhatIsNoFileIsNotOpened)
{
    const std::string ini = viztest::PosixOf(Ini());
    const std::string other = m_folder.Posix() + "/other.txt";
    const struct {
        const char* name;
        std::function<int()> make;
        DWORD error;
        DWORD attributes;
    } cases[] = {
        {"a FIFO", [&] { return mkfifo(ini.c_str(), 0600); }, ERROR_CANT_ACCESS_FILE,
            FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT},
        {"a link to another file", [&] { return symlink(other.c_str(), ini.c_str()); }, ERROR_CANT_ACCESS_FILE,
            FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT},
        {"a link to nothing", [&] { return symlink((other + ".none").c_str(), ini.c_str()); }, ERROR_CANT_ACCESS_FILE,
            FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT},
        {"a folder", [&] { return mkdir(ini.c_str(), 0700); }, ERROR_ACCESS_DENIED, FILE_ATTRIBUTE_DIRECTORY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        viztest::WriteFile(m_folder.Windows(L"other.txt"), "[S]\r\nK=other\r\n");
        ASSERT_EQ(0, c.make());
        alarm(20); // a call that waits on the FIFO ends the test program instead of hanging it
        SetLastError(0);
        EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"K", L"1", Ini().c_str()));
        EXPECT_EQ(c.error, GetLastError());
        EXPECT_EQ(L"<none>", Get(L"S", L"K"));
        alarm(0);
        EXPECT_EQ(c.attributes, GetFileAttributesW(Ini().c_str()));
        EXPECT_EQ("[S]\r\nK=other\r\n", viztest::ReadPosixFile(other));
        struct stat info {};
        EXPECT_EQ(0, lstat(ini.c_str(), &info));
        EXPECT_FALSE(S_ISREG(info.st_mode)) << "replaced by a file";
        if (S_ISDIR(info.st_mode))
            rmdir(ini.c_str());
        else
            unlink(ini.c_str());
    }
}

// What one WritePrivateProfileStringW call makes of an existing file in each encoding: the lines it
// does not touch keep their bytes (and line ends), the key it writes is in the file's encoding.
TEST_F(ProfileTest, WritingOneKeyKeepsTheBytesOfEveryOtherLine)
{
    const struct {
        const char* name;
        std::string before;
        const wchar_t* value;
        std::string after;
    } cases[] = {
        {"GBK, with a line that is no valid GBK",
            "[\xC7\xA9\xC3\xFB]\r\nNAME=\xD5\xC5\xB9\xA4\r\nBAD=\xFF\x80\x81\r\n", L"赵敏",
            "[\xC7\xA9\xC3\xFB]\r\nNAME=\xD5\xC5\xB9\xA4\r\nBAD=\xFF\x80\x81\r\nNEW=\xD5\xD4\xC3\xF4\r\n"},
        {"mixed line ends and no end on the last line", "[\xC7\xA9\xC3\xFB]\nA=1\r\nB=2", L"x",
            "[\xC7\xA9\xC3\xFB]\nA=1\r\nB=2\r\nNEW=x\r\n"},
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF[\xE7\xAD\xBE\xE5\x90\x8D]\r\nA=1\r\n", L"赵敏",
            "\xEF\xBB\xBF[\xE7\xAD\xBE\xE5\x90\x8D]\r\nA=1\r\nNEW=\xE8\xB5\xB5\xE6\x95\x8F\r\n"},
        {"UTF-16 with a byte order mark",
            std::string("\xFF\xFE[\0\x7E\x7B\x0D\x54]\0\r\0\n\0A\0=\0\x31\0\r\0\n\0", 24), L"赵",
            std::string("\xFF\xFE[\0\x7E\x7B\x0D\x54]\0\r\0\n\0A\0=\0\x31\0\r\0\n\0N\0E\0W\0=\0\x75\x8D\r\0\n\0", 38)},
        {"UTF-16 ending in half a character", std::string("\xFF\xFE[\0\x7E\x7B\x0D\x54]\0\r\0\n\0A\0=\0\x31\0\x41", 21), L"赵",
            std::string("\xFF\xFE[\0\x7E\x7B\x0D\x54]\0\r\0\n\0A\0=\0\x31\0\r\0\n\0N\0E\0W\0=\0\x75\x8D\r\0\n\0", 38)},
    };
    for (const auto& c : cases) {
        viztest::WriteFile(Ini(), c.before);
        EXPECT_TRUE(WritePrivateProfileStringW(L"签名", L"NEW", c.value, Ini().c_str())) << c.name;
        EXPECT_EQ(::testing::PrintToString(Content()), ::testing::PrintToString(c.after)) << c.name;
        EXPECT_EQ(Get(L"签名", L"NEW"), c.value) << c.name;
    }
}

TEST_F(ProfileTest, NamesRoundTripInTheAnsiCodePageAndOthersBecomeQuestionMarks)
{
    for (const AnsiNameCase& c : kAnsiNameCases) {
        std::remove((m_folder.Posix() + "/job.pdf.ini").c_str());
        EXPECT_TRUE(WritePrivateProfileStringW(L"SIGN1", L"CONTENT", c.written, Ini().c_str()));
        EXPECT_EQ(Get(L"SIGN1", L"CONTENT"), c.read) << ::testing::PrintToString(std::wstring(c.written));
    }
}

// A full disk: the call fails with ERROR_DISK_FULL and the file is byte for byte as it was, with
// nothing beside it; or, given room, the call succeeds with the whole file.
TEST(ProfileOnAFullDisk, EitherTheWholeFileOrTheOldOneAndAFailure)
{
    SmallDisk disk(256 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << "no small disk: " << disk.Error();
    const std::wstring ini = winenv::FromPosixPath(disk.Path("job.pdf.ini"));
    std::string original = "[PDFSIGN]\r\nNUMBER=1\r\n[SIGN1]\r\n";
    for (int i = 0; original.size() < 3 * 4096 + 100; ++i)
        original += "K" + std::to_string(i) + "=" + std::string(60, 'v') + "\r\n";
    const std::string added = std::string(5000, 'x');
    int failures = 0, successes = 0;
    for (size_t free = 0; free <= 6 * 4096; free += 1024) {
        disk.RemoveFiller();
        for (const char* name : {"job.pdf.ini", "new.ini"})
            std::remove(disk.Path(name).c_str());
        viztest::WriteFile(winenv::FromPosixPath(disk.Path("job.pdf.ini")), original);
        ASSERT_TRUE(disk.LeaveFree(free)) << free;

        SetLastError(0);
        const BOOL written = WritePrivateProfileStringW(L"SIGN1", L"CONTENT", winenv::FromUtf8(added).c_str(), ini.c_str());
        const DWORD error = GetLastError();
        wchar_t value[8] = L"";
        GetPrivateProfileStringW(L"SIGN1", L"CONTENT", L"none", value, 8, ini.c_str());
        const BOOL created = WritePrivateProfileStringW(L"PDFSIGN", L"NUMBER", L"1",
            winenv::FromPosixPath(disk.Path("new.ini")).c_str());
        const std::string after = viztest::ReadPosixFile(disk.Path("job.pdf.ini"));
        if (written) {
            ++successes;
            EXPECT_EQ(after, original + "CONTENT=" + added + "\r\n") << free << " bytes free";
        } else {
            ++failures;
            EXPECT_EQ(error, static_cast<DWORD>(ERROR_DISK_FULL)) << free << " bytes free";
            EXPECT_TRUE(after == original) << free << " bytes free: the file changed, " << after.size() << " bytes";
            EXPECT_STREQ(L"none", value) << free << " bytes free: the value that was not written reads back";
        }
        std::vector<std::string> expected = {"job.pdf.ini"};
        if (created)
            expected.push_back("new.ini");
        EXPECT_EQ(disk.Files(), expected) << free << " bytes free";
    }
    EXPECT_GT(failures, 0);
    EXPECT_GT(successes, 0);
}

TEST(TemporaryFile, AProcessKilledWhileWritingLeavesTheFolderAsItWas)
{
    viztest::ScratchFolder folder;
    viztest::WriteFile(folder.Windows(L"job.pdf"), "old");
    const pid_t child = fork();
    if (child == 0) {
        winenv::TemporaryFile file;
        if (file.Create(folder.Posix() + "/job.pdf", 0644) == 0 && write(file.GetDescriptor(), "new", 3) == 3)
            raise(SIGKILL);
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child could not write";
    EXPECT_EQ(viztest::FolderText(folder.Windows()), "job.pdf");
    EXPECT_EQ("old", viztest::ReadFile(folder.Windows(L"job.pdf")));
}

} // namespace
