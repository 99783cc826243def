// The terminal picture: Chinese takes two cells and is never cut in half.
#include <gtest/gtest.h>

#include <clocale>

#include "ScreenBuffer.h"

using namespace plmclient;

namespace {

class ScreenBufferTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr); }
};

// The text of one row as the terminal would show it (attributes and cursor moves removed).
std::string RowText(const ScreenBuffer& screen, int row)
{
    const std::string all = screen.Render();
    const std::string mark = "\x1b[" + std::to_string(row + 1) + ";1H";
    size_t start = all.find(mark) + mark.size();
    const size_t end = all.find("\x1b[" + std::to_string(row + 2) + ";1H", start);
    std::string text;
    for (size_t i = start; i < end && i < all.size(); ++i) {
        if (all[i] == '\x1b') { // ESC [ parameters final byte
            i += 2;
            while (i < all.size() && !(all[i] >= 0x40 && all[i] <= 0x7E))
                ++i;
            continue;
        }
        text += all[i];
    }
    return text;
}

} // namespace

TEST_F(ScreenBufferTest, WideCharactersTakeTwoColumns)
{
    ScreenBuffer screen(12, 2);
    EXPECT_EQ(TextWidth(L"下载 ok"), 7);
    EXPECT_EQ(screen.Put(1, 0, L"下载"), 5);
    screen.Put(5, 0, L"x");
    EXPECT_EQ(RowText(screen, 0), " 下载x      ");
}

TEST_F(ScreenBufferTest, AWideCharacterThatDoesNotFitIsLeftOut)
{
    ScreenBuffer screen(4, 1);
    EXPECT_EQ(screen.Put(0, 0, L"abc下"), 3);
    EXPECT_EQ(RowText(screen, 0), "abc ");
    EXPECT_EQ(screen.Put(0, 0, L"下载中", kPlain, 3), 2) << "the limit cuts like the edge";
}

TEST_F(ScreenBufferTest, OverwritingHalfAWideCharacterBlanksTheOtherHalf)
{
    ScreenBuffer screen(6, 1);
    screen.Put(0, 0, L"下载");
    screen.Put(1, 0, L"x"); // the right half of 下
    EXPECT_EQ(RowText(screen, 0), " x载  ");
    screen.Put(2, 0, L"y"); // the left half of 载
    EXPECT_EQ(RowText(screen, 0), " xy   ");
}

TEST_F(ScreenBufferTest, ControlCharactersAreShownNotSentToTheTerminal)
{
    ScreenBuffer screen(4, 1);
    screen.Put(0, 0, L"a\x1b" L"b");
    EXPECT_EQ(RowText(screen, 0), "a?b ");
}
