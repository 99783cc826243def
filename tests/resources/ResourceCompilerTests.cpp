// vizrc on scripts it must refuse: the build stops with the file and line of the fault.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "ScratchFolder.h"

namespace {

struct Result {
    int exitCode;
    std::string messages;
};

class ResourceCompiler : public ::testing::Test {
protected:
    Result Compile(const std::string& script)
    {
        viztest::WriteFile(m_folder.Windows(L"test.rc"), script);
        const std::string& dir = m_folder.Posix();
        std::string command = std::string("'") + VIZRC_PATH + "' -I '" + WINRES_INCLUDE_DIR + "' -o '" + dir +
                              "/out.cpp' '" + dir + "/test.rc' 2>'" + dir + "/errors.txt'";
        int status = std::system(command.c_str());
        return Result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, viztest::ReadFile(m_folder.Windows(L"errors.txt"))};
    }

    bool OutputExists() const { return viztest::FileExists(m_folder.Windows(L"out.cpp")); }

    viztest::ScratchFolder m_folder;
};

// A fault fails with its file and line and leaves no output; a sound script (no message) compiles.
TEST_F(ResourceCompiler, ScriptsCompileOrFailWithFileAndLineAndNoOutput)
{
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {"#include \"winres.h\"\nSTRINGTABLE\nBEGIN\n  1 \"one\"\nEND\n", ""},
        {"#include \"winres.h\"\n\n100 ACCELERATORS\nBEGIN\nEND\n", "test.rc:3: error"},
        {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 5, 5\n  SPINNER \"b\", 2, 0, 0, 5, 5\nEND\n",
            "test.rc:4: error: unknown control statement 'SPINNER'"},
        {"1 DIALOGEX 0, 0, 10, 10\nTOOLTIP \"x\"\nBEGIN\nEND\n", "test.rc:2: error: unknown dialog statement 'TOOLTIP'"},
        {"#ifdef X\n1 RCDATA { 1 }\n", "test.rc:1: error: #if without #endif"},
        {"#include \"missing.h\"\n", "test.rc:1: error: cannot find include file 'missing.h'"},
        {"#pragma code_page(936)\n", "test.rc:1: error: code page 936"},
        {"\n\n#error stop here\n", "test.rc:3: error: #error stop here"},
        {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", IDC_NOWHERE, 0, 0, 5, 5\nEND\n",
            "test.rc:3: error: undefined symbol 'IDC_NOWHERE'"},
        {"STRINGTABLE\nBEGIN\n  5 \"a\"\n  5 \"b\"\nEND\n", "test.rc:4: error: string id 5 is defined twice"},
        {"7 RCDATA { 1 }\n\n7 RCDATA { 2 }\n", "test.rc:3: error: duplicate resource"},
        {"1 ICON \"nothere.ico\"\n", "test.rc:1: error: cannot open file 'nothere.ico'"},
    };
    for (const auto& c : cases) {
        DeleteFileW(m_folder.Windows(L"out.cpp").c_str());
        Result r = Compile(c.script);
        const bool fault = *c.message != '\0';
        EXPECT_EQ(r.exitCode, fault ? 1 : 0) << c.message << ": " << r.messages;
        EXPECT_NE(r.messages.find(c.message), std::string::npos) << c.message << ": " << r.messages;
        EXPECT_EQ(OutputExists(), !fault) << c.message << ": a half-written source must not be left for the build";
    }
}

} // namespace
