#include "InputDecoder.h"

#include <cstdlib>

#include <utf/Utf.h>

namespace plmclient {
namespace {

bool Take(std::string& bytes, size_t n, InputEvent& event, Key key)
{
    bytes.erase(0, n);
    event = InputEvent{};
    event.key = key;
    return true;
}

// ESC [ ... final: the parameter bytes and the final byte, or npos when incomplete.
size_t CsiEnd(const std::string& bytes)
{
    for (size_t i = 2; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x40 && c <= 0x7E)
            return i;
    }
    return std::string::npos;
}

bool DecodeCsi(std::string& bytes, bool final, InputEvent& event)
{
    const size_t end = CsiEnd(bytes);
    if (end == std::string::npos) {
        if (!final)
            return false;
        return Take(bytes, bytes.size(), event, Key::Escape);
    }
    const std::string params = bytes.substr(2, end - 2);
    const char fin = bytes[end];
    const size_t length = end + 1;
    if (!params.empty() && params[0] == '<' && (fin == 'M' || fin == 'm')) {
        // SGR mouse: ESC [ < button ; column ; row M (press) or m (release), 1-based cells.
        char* p = nullptr;
        const long b = std::strtol(params.c_str() + 1, &p, 10);
        const long x = *p == ';' ? std::strtol(p + 1, &p, 10) : 0;
        const long y = *p == ';' ? std::strtol(p + 1, &p, 10) : 0;
        Take(bytes, length, event, Key::Mouse);
        event.button = static_cast<int>(b & ~(4 | 8 | 16)); // without Shift, Alt, Ctrl
        event.column = static_cast<int>(x) - 1;
        event.row = static_cast<int>(y) - 1;
        event.press = fin == 'M';
        return true;
    }
    switch (fin) {
    case 'A': return Take(bytes, length, event, Key::Up);
    case 'B': return Take(bytes, length, event, Key::Down);
    case 'C': return Take(bytes, length, event, Key::Right);
    case 'D': return Take(bytes, length, event, Key::Left);
    case 'H': return Take(bytes, length, event, Key::Home);
    case 'F': return Take(bytes, length, event, Key::End);
    case 'Z': return Take(bytes, length, event, Key::BackTab);
    case '~': {
        const int n = std::atoi(params.c_str());
        const Key key = n == 1 || n == 7 ? Key::Home : n == 4 || n == 8 ? Key::End : n == 3 ? Key::Delete
            : n == 5 ? Key::PageUp : n == 6 ? Key::PageDown : n == 15 ? Key::F5 : Key::Char;
        if (key == Key::Char) {
            bytes.erase(0, length);
            return false;
        }
        return Take(bytes, length, event, key);
    }
    default:
        bytes.erase(0, length);
        return false;
    }
}

} // namespace

bool DecodeInput(std::string& bytes, bool final, InputEvent& event)
{
    while (!bytes.empty()) {
        const unsigned char c = static_cast<unsigned char>(bytes[0]);
        if (c == 0x1B) {
            if (bytes.size() == 1) {
                if (!final)
                    return false;
                return Take(bytes, 1, event, Key::Escape);
            }
            if (bytes[1] == '[') {
                const size_t before = bytes.size();
                if (DecodeCsi(bytes, final, event))
                    return true;
                if (bytes.size() == before)
                    return false; // incomplete
                continue;         // an unknown sequence was dropped
            }
            if (bytes[1] == 'O') { // SS3: cursor keys in application mode, F1-F4
                if (bytes.size() < 3) {
                    if (!final)
                        return false;
                    return Take(bytes, 1, event, Key::Escape);
                }
                const char k = bytes[2];
                const Key key = k == 'A' ? Key::Up : k == 'B' ? Key::Down : k == 'C' ? Key::Right
                    : k == 'D' ? Key::Left : k == 'H' ? Key::Home : k == 'F' ? Key::End : Key::Char;
                if (key == Key::Char) {
                    bytes.erase(0, 3);
                    continue;
                }
                return Take(bytes, 3, event, key);
            }
            return Take(bytes, 1, event, Key::Escape);
        }
        if (c == '\r' || c == '\n')
            return Take(bytes, 1, event, Key::Enter);
        if (c == '\t')
            return Take(bytes, 1, event, Key::Tab);
        if (c == 0x7F || c == 0x08)
            return Take(bytes, 1, event, Key::Backspace);
        if (c == 0x15)
            return Take(bytes, 1, event, Key::CtrlU);
        if (c < 0x20) {
            bytes.erase(0, 1);
            continue;
        }
        const utf::Decoded decoded = utf::DecodeFirst(bytes);
        if (decoded.truncated) {
            if (!final)
                return false;
            bytes.clear();
            return false;
        }
        Take(bytes, decoded.length, event, Key::Char);
        event.ch = static_cast<wchar_t>(decoded.codePoint);
        return true;
    }
    return false;
}

} // namespace plmclient
