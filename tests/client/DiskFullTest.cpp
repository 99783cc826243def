// A copy of a stored file onto a disk too small for it: the copy fails as Windows reports a full
// disk, and the target folder holds what it held before, byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <winenv/Paths.h>

#include "ClientFolder.h"
#include "ObjectDownload.h"
#include "SmallDisk.h"

namespace {

TEST(DiskFullTest, AFileThatDoesNotFitFailsAndLeavesTheFolderAsItWas)
{
    constexpr size_t kDisk = 256 * 1024;
    const struct {
        const char* name;
        size_t cbContent;
        size_t cbOldTarget; // 0: no file under the target's name before
        HRESULT expected;
    } cases[] = {
        {"fits", 100 * 1024, 0, S_OK},
        {"fits over an old file", 60 * 1024, 60 * 1024, S_OK},
        {"one page more than the disk", kDisk + 4096, 0, HRESULT_FROM_WIN32(ERROR_DISK_FULL)},
        {"four times the disk", 4 * kDisk, 0, HRESULT_FROM_WIN32(ERROR_DISK_FULL)},
        {"no room for the old and the new", 160 * 1024, 120 * 1024, HRESULT_FROM_WIN32(ERROR_DISK_FULL)},
    };
    SmallDisk disk(kDisk);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Error();
    viztest::ClientFolder folder;
    std::vector<LONG> ids;
    for (const auto& c : cases)
        ids.push_back(folder.Fixture().AddStoredFile(L"f.dwg", std::string(c.cbContent, c.name[0])));
    ASSERT_EQ(S_OK, folder.Fixture().GetStatus());
    ASSERT_EQ(S_OK, folder.Open());

    const std::string target = disk.Path("target.dwg");
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.name);
        std::filesystem::remove(target);
        const std::string old(c.cbOldTarget, 'o');
        if (c.cbOldTarget > 0) {
            ASSERT_TRUE(std::ofstream(target, std::ios::binary) << old) << "the old file does not fit";
        }
        const std::vector<std::string> before = disk.Files();
        EXPECT_EQ(c.expected, viztest::DownloadObjectFile(L"StoredFile", ids[i], winenv::FromPosixPath(target)));
        const bool bTargetIsContent = viztest::ReadPosixFile(target) == std::string(c.cbContent, c.name[0]);
        if (SUCCEEDED(c.expected)) {
            EXPECT_TRUE(bTargetIsContent);
        } else {
            EXPECT_TRUE(viztest::ReadPosixFile(target) == old) << "the old target changed";
            EXPECT_EQ(before, disk.Files());
        }
    }
}

} // namespace
