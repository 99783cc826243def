// What the terminal sends, decoded: keys, characters (UTF-8) and xterm SGR mouse reports.
#pragma once

#include <string>

namespace plmclient {

enum class Key {
    Char, Enter, Escape, Tab, BackTab, Backspace, Up, Down, Left, Right, Home, End, PageUp, PageDown, Delete,
    F5, CtrlU, Mouse
};

struct InputEvent {
    Key key = Key::Char;
    wchar_t ch = 0;      // Key::Char
    int column = 0;      // Key::Mouse: 0-based cell
    int row = 0;
    int button = 0;      // 0 left, 1 middle, 2 right, 64/65 wheel
    bool press = false;  // press or release
};

// Takes the first event off the front of `bytes`. Returns false when the bytes so far are only
// the start of a sequence (wait for more) or empty; with `final` (nothing more came in time) a
// lone Escape is the Escape key. Unknown sequences are dropped.
bool DecodeInput(std::string& bytes, bool final, InputEvent& event);

} // namespace plmclient
