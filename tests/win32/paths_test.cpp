// The mapping between Windows paths and the POSIX file system.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ScopedEnvironment.h"
#include "win32host/Paths.h"

namespace {

using win32host::FromPosixPath;
using win32host::ToPosixPath;

TEST(ToPosixPath, BackslashIsASeparatorAndDoublesAreHarmless)
{
    ScopedEnvironment d("WIN32_DRIVE_D", "/srv/d");
    EXPECT_EQ(ToPosixPath(L"D:\\out\\A-01.pdf"), "/srv/d/out/A-01.pdf");
    EXPECT_EQ(ToPosixPath(L"D:\\out\\\\A-01.pdf"), "/srv/d/out/A-01.pdf"); // "%s\\%s" on a folder ending in '\'
    EXPECT_EQ(ToPosixPath(L"d:/out/x"), "/srv/d/out/x");
    EXPECT_EQ(ToPosixPath(L"D:\\"), "/srv/d");
    EXPECT_EQ(ToPosixPath(L"D:name"), "/srv/d/name");
}

TEST(ToPosixPath, DriveCIsTheRootUnlessConfigured)
{
    ScopedEnvironment c("WIN32_DRIVE_C", std::nullopt);
    ScopedEnvironment e("WIN32_DRIVE_E", std::nullopt);
    EXPECT_EQ(ToPosixPath(L"C:\\tmp\\a.pdf"), "/tmp/a.pdf");
    EXPECT_EQ(ToPosixPath(L"C:\\"), "/");
    EXPECT_EQ(ToPosixPath(L"E:\\x"), "/mnt/e/x");
    ScopedEnvironment moved("WIN32_DRIVE_C", "/data/c/");
    EXPECT_EQ(ToPosixPath(L"C:\\tmp"), "/data/c/tmp");
}

TEST(ToPosixPath, PosixAndRelativePathsKeepTheirFolders)
{
    EXPECT_EQ(ToPosixPath(L"/tmp/job\\a.pdf.ini"), "/tmp/job/a.pdf.ini");
    EXPECT_EQ(ToPosixPath(L"sub\\file.txt"), "sub/file.txt");
    EXPECT_EQ(ToPosixPath(L"C:\\签名\\图.png"), "/\xE7\xAD\xBE\xE5\x90\x8D/\xE5\x9B\xBE.png"); // UTF-8 on disk
    EXPECT_EQ(ToPosixPath(static_cast<const wchar_t*>(nullptr)), "");
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
