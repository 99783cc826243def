// Icon groups and their images: the group directory, the choice of image and the decoders.
#include "ResourceTestSupport.h"
#include "FixtureResource.h"

#include <gtest/gtest.h>

#include "winenv/IconResource.h"

using restest::FixtureModule;

namespace {

std::vector<winenv::IconGroupEntry> Group(HMODULE module, WORD id)
{
    std::vector<unsigned char> bytes = restest::ResourceBytes(module, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
    std::vector<winenv::IconGroupEntry> entries;
    EXPECT_TRUE(winenv::ParseIconGroup(bytes.data(), bytes.size(), entries));
    return entries;
}

TEST(IconResource, GroupNamesEachImageOfTheIconFileAndTheClosestIsChosen)
{
    std::vector<winenv::IconGroupEntry> entries = Group(FixtureModule(), IDI_FIXTURE);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].width, 16);
    EXPECT_EQ(entries[0].bitCount, 4);
    EXPECT_EQ(entries[0].colorCount, 16);
    EXPECT_EQ(entries[1].width, 32);
    EXPECT_EQ(entries[1].height, 32);
    EXPECT_EQ(entries[1].bitCount, 32);
    for (const winenv::IconGroupEntry& e : entries) {
        HRSRC image = FindResourceW(FixtureModule(), MAKEINTRESOURCEW(e.iconId), RT_ICON);
        ASSERT_NE(image, nullptr) << "RT_ICON " << e.iconId;
        EXPECT_EQ(SizeofResource(FixtureModule(), image), e.bytesInRes);
    }
    EXPECT_NE(entries[0].iconId, entries[1].iconId);
    // The closest size is chosen.
    EXPECT_EQ(winenv::ChooseIconEntry(entries, 16, 16), 0);
    EXPECT_EQ(winenv::ChooseIconEntry(entries, 20, 20), 0);
    EXPECT_EQ(winenv::ChooseIconEntry(entries, 48, 48), 1);
    EXPECT_EQ(winenv::ChooseIconEntry(entries, 0, 0), 1) << "0 x 0 is the system's large icon size";
    EXPECT_EQ(winenv::ChooseIconEntry({}, 32, 32), -1);
}

TEST(IconResource, DecodesPaletteImagesWithTheirMaskAnd32BitImagesTopDownWithTheirAlpha)
{
    winenv::IconBitmap bitmap;
    ASSERT_TRUE(winenv::LoadIconBitmap(FixtureModule(), MAKEINTRESOURCEW(IDI_FIXTURE), 16, 16, bitmap));
    ASSERT_EQ(bitmap.width, 16);
    ASSERT_EQ(bitmap.height, 16);
    EXPECT_EQ(bitmap.bitCount, 4);
    EXPECT_EQ(bitmap.pixels[0], 0u) << "top row masked out";
    EXPECT_EQ(bitmap.pixels[16 * 5 + 2], 0xFFFF0000u) << "left half: palette colour 1";
    EXPECT_EQ(bitmap.pixels[16 * 5 + 12], 0xFF0000FFu) << "right half: palette colour 2";

    winenv::IconBitmap large;
    ASSERT_TRUE(winenv::LoadIconBitmap(FixtureModule(), MAKEINTRESOURCEW(IDI_FIXTURE), 32, 32, large));
    ASSERT_EQ(large.width, 32);
    // Pixel (x, y) was written as B = 8x, G = 8y, R = 0x40, A = 4(x + y).
    for (int y : {0, 7, 31})
        for (int x : {0, 3, 31})
            EXPECT_EQ(large.pixels[static_cast<size_t>(y * 32 + x)],
                      static_cast<std::uint32_t>((4 * (x + y)) << 24 | 0x40 << 16 | (8 * y) << 8 | (8 * x)))
                << x << "," << y;
}

TEST(IconResource, MissingGroupFailsLikeFindResource)
{
    winenv::IconBitmap bitmap;
    SetLastError(0);
    EXPECT_FALSE(winenv::LoadIconBitmap(FixtureModule(), MAKEINTRESOURCEW(4242), 32, 32, bitmap));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    const unsigned char png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0x0D};
    EXPECT_FALSE(winenv::DecodeIconImage(png, sizeof png, bitmap));
}

} // namespace
