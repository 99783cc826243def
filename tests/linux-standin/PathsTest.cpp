// The mapping between Windows paths and the POSIX file system.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ScopedEnvironment.h"
#include "winenv/Paths.h"

namespace {

using winenv::FromPosixPath;
using winenv::ToPosixPath;

// Backslashes separate and doubles are harmless; drive C is the root unless configured, another
// drive without a setting is under /mnt; POSIX and relative paths keep their folders; names are UTF-8
// on disk.
TEST(ToPosixPath, DrivesMapToTheirFoldersAndSeparatorsToSlashes)
{
    ScopedEnvironment c("WIN32_DRIVE_C", std::nullopt);
    ScopedEnvironment d("WIN32_DRIVE_D", "/srv/d");
    ScopedEnvironment e("WIN32_DRIVE_E", std::nullopt);
    const struct {
        const wchar_t* windows;
        const char* posix;
    } cases[] = {
        {L"D:\\out\\A-01.pdf", "/srv/d/out/A-01.pdf"},
        {L"D:\\out\\\\A-01.pdf", "/srv/d/out/A-01.pdf"}, // "%s\\%s" on a folder ending in '\'
        {L"d:/out/x", "/srv/d/out/x"}, {L"D:\\", "/srv/d"}, {L"D:name", "/srv/d/name"},
        {L"C:\\tmp\\a.pdf", "/tmp/a.pdf"}, {L"C:\\", "/"}, {L"E:\\x", "/mnt/e/x"},
        {L"/tmp/job\\a.pdf.ini", "/tmp/job/a.pdf.ini"}, {L"sub\\file.txt", "sub/file.txt"},
        {L"C:\\签名\\图.png", "/\xE7\xAD\xBE\xE5\x90\x8D/\xE5\x9B\xBE.png"}, {nullptr, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToPosixPath(c.windows), c.posix) << c.posix;
    ScopedEnvironment moved("WIN32_DRIVE_C", "/data/c/");
    EXPECT_EQ(ToPosixPath(L"C:\\tmp"), "/data/c/tmp");
}

TEST(FromPosixPath, AbsolutePathsLandOnTheDriveThatHoldsThem)
{
    ScopedEnvironment c("WIN32_DRIVE_C", std::nullopt);
    ScopedEnvironment d("WIN32_DRIVE_D", "/srv/d");
    EXPECT_EQ(FromPosixPath("/tmp/x.pdf"), L"C:\\tmp\\x.pdf");
    EXPECT_EQ(FromPosixPath("/srv/d/out/y.pdf"), L"D:\\out\\y.pdf");
    EXPECT_EQ(FromPosixPath("/srv/dx"), L"C:\\srv\\dx"); // only whole folder names match
    EXPECT_EQ(FromPosixPath("/srv/d"), L"D:\\");
    EXPECT_EQ(FromPosixPath("rel/a"), L"rel\\a");
    EXPECT_EQ(ToPosixPath(FromPosixPath("/srv/d/a b/c")), "/srv/d/a b/c");
}

} // namespace
