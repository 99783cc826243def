// The demo database's size: the named sizes, key=number pairs, and the counts they promise.
#include <gtest/gtest.h>

#include <qvclient/DemoDatabase.h>

namespace {

using qvclient::DemoSize;
using qvclient::ParseDemoSize;

TEST(DemoSizeTest, NamedSizes)
{
    DemoSize size;
    std::string error;
    ASSERT_TRUE(ParseDemoSize("large", size, error)) << error;
    EXPECT_EQ(1000, size.PartCount());
    EXPECT_EQ(30000, size.LightFileCount());
    ASSERT_TRUE(ParseDemoSize("small", size, error)) << error;
    EXPECT_EQ(DemoSize::Small().PartCount(), size.PartCount());
    ASSERT_TRUE(ParseDemoSize("", size, error)) << error;
    EXPECT_EQ(DemoSize::Small().LightFileCount(), size.LightFileCount());
}

TEST(DemoSizeTest, KeyNumberPairsChangeTheSmallSize)
{
    DemoSize size;
    std::string error;
    ASSERT_TRUE(ParseDemoSize("assemblies=3,levels=2,parts=4,docs=5,files=1,pages=2,distinct=7", size, error)) << error;
    EXPECT_EQ(3, size.assemblies);
    EXPECT_EQ(2, size.levels);
    EXPECT_EQ(4, size.partsPerLevel);
    EXPECT_EQ(5, size.documentsPerPart);
    EXPECT_EQ(1, size.filesPerDocument);
    EXPECT_EQ(2, size.pdfPages);
    EXPECT_EQ(7, size.distinctFiles);
    // The top assembly and three sub-assemblies, each with four parts.
    EXPECT_EQ(4, size.AssemblyCount());
    EXPECT_EQ(20, size.PartCount());
    EXPECT_EQ(100, size.LightFileCount());

    ASSERT_TRUE(ParseDemoSize("parts=0", size, error)) << error;
    EXPECT_EQ(DemoSize::Small().AssemblyCount(), size.PartCount());
}

TEST(DemoSizeTest, BadSizesAreRefusedWithAMessage)
{
    for (const char* text : {"huge", "parts", "parts=", "parts=x", "parts=-1", "parts=3x", "colour=2", "levels=0",
             "assemblies=10,levels=9,docs=100"}) {
        DemoSize size = DemoSize::Large();
        std::string error;
        EXPECT_FALSE(ParseDemoSize(text, size, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_EQ(1000, size.PartCount()) << "a refused size must leave the size as it was: " << text;
    }
}

} // namespace
