// What the terminal sends becomes keys, characters and clicks; sequences split across reads wait
// for their rest.
#include <gtest/gtest.h>

#include "InputDecoder.h"

using namespace plmclient;

namespace {

std::vector<InputEvent> DecodeAll(std::string bytes, bool final = true)
{
    std::vector<InputEvent> events;
    InputEvent e;
    while (DecodeInput(bytes, final, e))
        events.push_back(e);
    return events;
}

} // namespace

// The keys of an xterm keyboard; UTF-8 characters, one wide character each; unknown sequences and
// control bytes dropped, not typed.
TEST(InputDecoder, KeysAndCharactersAndNothingElse)
{
    const struct {
        std::string bytes;
        std::vector<std::pair<Key, wchar_t>> events; // a character's key is Char
    } cases[] = {
        {"\x1b[A\x1b[B\x1bOC\x1b[D\x1b[15~\t\x1b[Z\r\x7f\x1b[5~\x1b[H\x1b[4~",
            {{Key::Up, 0}, {Key::Down, 0}, {Key::Right, 0}, {Key::Left, 0}, {Key::F5, 0}, {Key::Tab, 0}, {Key::BackTab, 0},
                {Key::Enter, 0}, {Key::Backspace, 0}, {Key::PageUp, 0}, {Key::Home, 0}, {Key::End, 0}}},
        {"a\xe4\xb8\x8b\xf0\x9f\x93\x81", {{Key::Char, L'a'}, {Key::Char, L'下'}, {Key::Char, static_cast<wchar_t>(0x1F4C1)}}},
        {"\x1b[99~\x01\x1b[?1;2cq", {{Key::Char, L'q'}}},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<Key, wchar_t>> events;
        for (const InputEvent& e : DecodeAll(c.bytes))
            events.emplace_back(e.key, e.key == Key::Char ? e.ch : 0);
        EXPECT_EQ(c.events, events) << ::testing::PrintToString(c.bytes);
    }
}

// A lone Escape waits until nothing more comes; split sequences and characters wait for their rest.
TEST(InputDecoder, WhatIsIncompleteWaits)
{
    std::string bytes = "\x1b";
    InputEvent e;
    EXPECT_FALSE(DecodeInput(bytes, false, e));
    EXPECT_EQ(bytes, "\x1b");
    ASSERT_TRUE(DecodeInput(bytes, true, e));
    EXPECT_EQ(e.key, Key::Escape);
    EXPECT_TRUE(bytes.empty());

    bytes = "\x1b[1";
    EXPECT_FALSE(DecodeInput(bytes, false, e));
    bytes += "5~";
    ASSERT_TRUE(DecodeInput(bytes, false, e));
    EXPECT_EQ(e.key, Key::F5);

    bytes = "\xe4\xb8";
    EXPECT_FALSE(DecodeInput(bytes, false, e));
    bytes += "\x8b";
    ASSERT_TRUE(DecodeInput(bytes, false, e));
    EXPECT_EQ(e.ch, L'下');
}

TEST(InputDecoder, SgrMouseReportsGiveZeroBasedCellsAndPressOrRelease)
{
    const auto events = DecodeAll("\x1b[<0;12;5M\x1b[<0;12;5m\x1b[<18;3;140M");
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].key, Key::Mouse);
    EXPECT_EQ(events[0].column, 11);
    EXPECT_EQ(events[0].row, 4);
    EXPECT_TRUE(events[0].press);
    EXPECT_FALSE(events[1].press);
    // Ctrl held (16) is not another button.
    EXPECT_EQ(events[2].button, 2);
    EXPECT_EQ(events[2].row, 139);
}
