// Icons in a module's resources: the RT_GROUP_ICON directory, the choice of an image for a size,
// and the decoding of an RT_ICON image into pixels. For LoadIconW/LoadImageW and drawing.
// Not a Windows API: never included by the module.
#pragma once

#include <windef.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace winenv {

struct IconGroupEntry {
    int width = 0;  // the directory's 0 means 256
    int height = 0;
    int colorCount = 0;
    int planes = 0;
    int bitCount = 0;
    std::uint32_t bytesInRes = 0;
    std::uint16_t iconId = 0; // name of the RT_ICON resource
};

// Reads a GRPICONDIR. False when the bytes are malformed.
bool ParseIconGroup(const void* data, std::size_t size, std::vector<IconGroupEntry>& out);

// The entry Windows would pick for an icon of cx x cy (0 x 0: the system's large icon, 32 x 32):
// the closest size, then the deepest colour. -1 for an empty group.
int ChooseIconEntry(const std::vector<IconGroupEntry>& entries, int cx, int cy);

struct IconBitmap {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    std::vector<std::uint32_t> pixels; // 0xAARRGGBB, straight alpha, rows top-down
};

// Decodes an RT_ICON image: a DIB of 1, 4, 8, 24 or 32 bits with its AND mask (PNG images are not
// decoded: false).
bool DecodeIconImage(const void* data, std::size_t size, IconBitmap& out);

// Finds icon group `name` in `module`, picks the image for cx x cy and decodes it. Sets the last
// error as FindResourceW does when the group or its image is missing.
bool LoadIconBitmap(HMODULE module, LPCWSTR name, int cx, int cy, IconBitmap& out);

} // namespace winenv
