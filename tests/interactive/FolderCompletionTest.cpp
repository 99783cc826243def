// Tab in the folder prompt: folders only, as far as the typed start is unambiguous.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "FolderCompletion.h"
#include "ScratchFolder.h"

using namespace plmclient;

TEST(FolderCompletion, WhatTabCompletesAndLists)
{
    const viztest::ScratchFolder scratch;
    const std::string root = scratch.Posix();
    for (const char* folder : {"/导出", "/导入", "/out-a", "/out-b", "/.hidden", "/single"})
        ASSERT_TRUE(std::filesystem::create_directory(root + folder));
    std::ofstream(root + "/out-file.pdf") << "not a folder";
    std::ofstream(root + "/sfile") << "not a folder";
    const struct {
        const char* typed;
        const char* text;
        std::vector<std::string> candidates;
    } cases[] = {
        {"/s", "/single/", {}},
        {"/o", "/out-", {"out-a", "out-b"}},
        // 导出 and 导入 share 导 and the first two bytes of the second character.
        {"/\xe5\xaf\xbc", "/导", {"导入", "导出"}},
        // Hidden folders and files are not offered.
        {"/", "/", {"out-a", "out-b", "single", "导入", "导出"}},
        {"/.h", "/.hidden/", {}},
        {"/zz", "/zz", {}},
    };
    for (const auto& c : cases) {
        const FolderCompletion completion = CompleteFolder(root + c.typed);
        EXPECT_EQ(root + c.text, completion.text) << c.typed;
        EXPECT_EQ(c.candidates, completion.candidates) << c.typed;
    }

    ASSERT_EQ(chdir(root.c_str()), 0);
    EXPECT_EQ(CompleteFolder("si").text, "single/");
    setenv("HOME", root.c_str(), 1);
    EXPECT_EQ(CompleteFolder("~/si").text, root + "/single/");
    EXPECT_EQ(ExpandHome("~"), root);
    EXPECT_EQ(ExpandHome("~other/x"), "~other/x");
    ASSERT_EQ(chdir("/"), 0);
}
