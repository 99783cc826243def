// Tab in the folder prompt: folders only, as far as the typed start is unambiguous.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "FolderCompletion.h"

using namespace plmclient;

namespace {

class FolderCompletionTest : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/viz-completion-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
        for (const char* folder : {"/导出", "/导入", "/out-a", "/out-b", "/.hidden", "/single"})
            ASSERT_EQ(mkdir((m_root + folder).c_str(), 0755), 0);
        std::ofstream(m_root + "/out-file.pdf") << "not a folder";
        std::ofstream(m_root + "/sfile") << "not a folder";
    }
    void TearDown() override { std::system(("rm -rf '" + m_root + "'").c_str()); }

    std::string m_root;
};

} // namespace

TEST_F(FolderCompletionTest, AUniqueFolderIsCompletedWithItsSlash)
{
    const FolderCompletion c = CompleteFolder(m_root + "/s");
    EXPECT_EQ(c.text, m_root + "/single/");
    EXPECT_TRUE(c.candidates.empty());
}

TEST_F(FolderCompletionTest, SeveralFoldersCompleteToTheirCommonStartAndAreListed)
{
    const FolderCompletion c = CompleteFolder(m_root + "/o");
    EXPECT_EQ(c.text, m_root + "/out-");
    EXPECT_EQ(c.candidates, (std::vector<std::string>{"out-a", "out-b"}));
}

TEST_F(FolderCompletionTest, CommonStartIsNotCutInsideAChineseCharacter)
{
    // 导出 and 导入 share 导 and the first two bytes of the second character.
    const FolderCompletion c = CompleteFolder(m_root + "/");
    const FolderCompletion chinese = CompleteFolder(m_root + "/\xe5\xaf\xbc");
    EXPECT_EQ(chinese.text, m_root + "/导");
    EXPECT_EQ(chinese.candidates.size(), 2u);
    EXPECT_EQ(c.candidates.size(), 5u) << "hidden folders and files are not offered";
}

TEST_F(FolderCompletionTest, HiddenFoldersOnlyWhenTheDotIsTyped)
{
    EXPECT_EQ(CompleteFolder(m_root + "/.h").text, m_root + "/.hidden/");
}

TEST_F(FolderCompletionTest, NothingMatchingLeavesTheTextAsTyped)
{
    const FolderCompletion c = CompleteFolder(m_root + "/zz");
    EXPECT_EQ(c.text, m_root + "/zz");
    EXPECT_TRUE(c.candidates.empty());
}

TEST_F(FolderCompletionTest, RelativeAndHomePaths)
{
    ASSERT_EQ(chdir(m_root.c_str()), 0);
    EXPECT_EQ(CompleteFolder("si").text, "single/");
    setenv("HOME", m_root.c_str(), 1);
    EXPECT_EQ(CompleteFolder("~/si").text, m_root + "/single/");
    EXPECT_EQ(ExpandHome("~"), m_root);
    EXPECT_EQ(ExpandHome("~other/x"), "~other/x");
    ASSERT_EQ(chdir("/"), 0);
}
