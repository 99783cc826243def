// The private profile functions as the signing job uses them.
#include <gtest/gtest.h>

#include <windows.h>

#include "temp_folder.h"

namespace {

class ProfileTest : public ::testing::Test {
protected:
    std::wstring Ini() const { return m_folder.Windows(L"job.pdf.ini"); }
    std::string Content() const { return m_folder.Read("job.pdf.ini"); }
    std::wstring Get(const wchar_t* section, const wchar_t* key, const wchar_t* def = L"<none>")
    {
        wchar_t buffer[256];
        GetPrivateProfileStringW(section, key, def, buffer, 256, Ini().c_str());
        return buffer;
    }

    TempFolder m_folder;
};

TEST_F(ProfileTest, WritesSectionsAndKeysInTheWindowsLayout)
{
    EXPECT_TRUE(WritePrivateProfileStringW(L"PDFSIGN", L"NUMBER", L"2", Ini().c_str()));
    EXPECT_TRUE(WritePrivateProfileStringW(L"SIGN1", L"CONTENT", L"张三", Ini().c_str()));
    EXPECT_TRUE(WritePrivateProfileStringW(L"SIGN1", L"X", L"100", Ini().c_str()));
    EXPECT_TRUE(WritePrivateProfileStringW(L"SIGN2", L"IMAGE", L"C:\\tmp\\signature\\7a.png", Ini().c_str()));
    EXPECT_EQ(Content(),
        "[PDFSIGN]\r\nNUMBER=2\r\n"
        "[SIGN1]\r\nCONTENT=\xE5\xBC\xA0\xE4\xB8\x89\r\nX=100\r\n"
        "[SIGN2]\r\nIMAGE=C:\\tmp\\signature\\7a.png\r\n");
}

TEST_F(ProfileTest, KeyWrittenTwiceKeepsItsPlaceAndTakesTheSecondValue)
{
    WritePrivateProfileStringW(L"S", L"A", L"1", Ini().c_str());
    WritePrivateProfileStringW(L"S", L"B", L"2", Ini().c_str());
    WritePrivateProfileStringW(L"s", L"a", L"3", Ini().c_str()); // names ignore case
    EXPECT_EQ(Content(), "[S]\r\nA=3\r\nB=2\r\n");
    EXPECT_EQ(Get(L"S", L"A"), L"3");
}

TEST_F(ProfileTest, ExistingContentIsKeptAndNewKeysJoinTheirSection)
{
    m_folder.Write("job.pdf.ini", "; made by hand\n[First]\nold = value\n\n[Second]\nz=1\n");
    WritePrivateProfileStringW(L"First", L"new", L"x", Ini().c_str());
    WritePrivateProfileStringW(L"Third", L"k", L"v", Ini().c_str());
    EXPECT_EQ(Content(), "; made by hand\n[First]\nold = value\nnew=x\n\n[Second]\nz=1\n[Third]\nk=v\n");
}

TEST_F(ProfileTest, ValuesAreWrittenUnchangedAndTrimmedWhenRead)
{
    WritePrivateProfileStringW(L"S", L"padded", L"  two words  ", Ini().c_str());
    WritePrivateProfileStringW(L"S", L"quoted", L"\"in quotes\"", Ini().c_str());
    EXPECT_EQ(Content(), "[S]\r\npadded=  two words  \r\nquoted=\"in quotes\"\r\n");
    EXPECT_EQ(Get(L"S", L"padded"), L"two words");
    EXPECT_EQ(Get(L"S", L"quoted"), L"in quotes");
    EXPECT_EQ(Get(L"S", L"missing", L"fallback  "), L"fallback");
    EXPECT_EQ(Get(L"Nope", L"padded"), L"<none>");
}

TEST_F(ProfileTest, NullValueDeletesTheKeyAndNullKeyTheSection)
{
    WritePrivateProfileStringW(L"A", L"k1", L"1", Ini().c_str());
    WritePrivateProfileStringW(L"A", L"k2", L"2", Ini().c_str());
    WritePrivateProfileStringW(L"B", L"k", L"3", Ini().c_str());
    WritePrivateProfileStringW(L"A", L"k1", nullptr, Ini().c_str());
    EXPECT_EQ(Content(), "[A]\r\nk2=2\r\n[B]\r\nk=3\r\n");
    WritePrivateProfileStringW(L"A", nullptr, nullptr, Ini().c_str());
    EXPECT_EQ(Content(), "[B]\r\nk=3\r\n");
}

TEST_F(ProfileTest, DeletingCreatesNoFile)
{
    EXPECT_TRUE(WritePrivateProfileStringW(L"A", L"k", nullptr, Ini().c_str()));
    EXPECT_TRUE(WritePrivateProfileStringW(L"A", nullptr, nullptr, Ini().c_str()));
    EXPECT_FALSE(m_folder.Exists("job.pdf.ini"));
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

TEST_F(ProfileTest, TruncatedValueReturnsSizeMinusOne)
{
    WritePrivateProfileStringW(L"S", L"k", L"abcdef", Ini().c_str());
    wchar_t buffer[4];
    EXPECT_EQ(GetPrivateProfileStringW(L"S", L"k", L"", buffer, 4, Ini().c_str()), 3u);
    EXPECT_STREQ(buffer, L"abc");
}

TEST_F(ProfileTest, IntegersReadLikeTheSystemDoes)
{
    WritePrivateProfileStringW(L"S", L"n", L" 42abc", Ini().c_str());
    WritePrivateProfileStringW(L"S", L"hex", L"0x1F", Ini().c_str());
    WritePrivateProfileStringW(L"S", L"neg", L"-3", Ini().c_str());
    WritePrivateProfileStringW(L"S", L"empty", L"", Ini().c_str());
    EXPECT_EQ(GetPrivateProfileIntW(L"S", L"n", 7, Ini().c_str()), 42u);
    EXPECT_EQ(GetPrivateProfileIntW(L"S", L"hex", 7, Ini().c_str()), 31u);
    EXPECT_EQ(static_cast<INT>(GetPrivateProfileIntW(L"S", L"neg", 7, Ini().c_str())), -3);
    EXPECT_EQ(GetPrivateProfileIntW(L"S", L"empty", 7, Ini().c_str()), 7u);
    EXPECT_EQ(GetPrivateProfileIntW(L"S", L"missing", 7, Ini().c_str()), 7u);
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
            m_folder.Write("job.pdf.ini", step.replaceWith);
        EXPECT_EQ(step.expected, Get(L"S", L"K")) << step.name;
    }
    // A write after an edit elsewhere keeps that edit.
    m_folder.Write("job.pdf.ini", "[S]\r\nK=4\r\n");
    ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"L", L"5", Ini().c_str()));
    EXPECT_EQ("[S]\r\nK=4\r\nL=5\r\n", Content());
}

} // namespace
