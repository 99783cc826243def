// A stored file far larger than any chunk is written with the client's memory growing by no more
// than a few chunks: the peak resident size is measured around the download.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "ClientFolder.h"
#include "ObjectDownload.h"

namespace {

// The peak resident size since the last reset, in KiB; -1 when the system does not tell.
long PeakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

bool ResetPeakResident()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.close();
    return static_cast<bool>(clear);
}

TEST(StoredFileMemoryTest, A200MBFileIsWrittenInBoundedMemory)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer holds freed memory in quarantine: the resident size is measured in the plain build";
#endif
    constexpr ULONGLONG kSize = 200ull * 1024 * 1024;
    viztest::ClientFolder folder;
    // Bytes that do not repeat in a chunk, made as they are stored, never held whole.
    ULONGLONG made = 0;
    unsigned state = 2463534242u;
    const LONG id = folder.Fixture().AddStoredFileWithContent(L"big.dwg", [&](BYTE* p, size_t cbMax, size_t& cb) {
        cb = static_cast<size_t>(std::min<ULONGLONG>(cbMax, kSize - made));
        for (size_t i = 0; i < cb; ++i) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            p[i] = static_cast<BYTE>(state);
        }
        made += cb;
        return S_OK;
    });
    ASSERT_EQ(S_OK, folder.Fixture().GetStatus());
    ASSERT_EQ(S_OK, folder.Open());

    if (!ResetPeakResident() || PeakResidentKiB() < 0)
        GTEST_SKIP() << "the peak resident size cannot be measured here";
    const long before = PeakResidentKiB();
    const HRESULT hr = viztest::DownloadObjectFile(L"StoredFile", id, folder.Windows(L"big.dwg"));
    const long after = PeakResidentKiB();

    ASSERT_EQ(S_OK, hr);
    EXPECT_EQ(kSize, std::filesystem::file_size(folder.Posix() + "/big.dwg"));
    std::printf("peak resident size %ld KiB before, %ld KiB after the download\n", before, after);
    EXPECT_LT(after - before, 8 * 1024) << "KiB grown while writing " << kSize << " bytes";
}

} // namespace
