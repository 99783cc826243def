#include "winenv/IconResource.h"

#include <libloaderapi.h>
#include <winbase.h>
#include <winuser.h>

#include <cstdlib>

#include "ResourceReader.h"

namespace winenv {

namespace {

using win32resources::ResourceReader;

constexpr int kDefaultIconSize = 32; // SM_CXICON

std::size_t Stride(int width, int bitCount)
{
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32) * 4;
}

} // namespace

bool ParseIconGroup(const void* data, std::size_t size, std::vector<IconGroupEntry>& out)
{
    out.clear();
    ResourceReader in(data, size);
    std::uint16_t reserved = in.Word();
    std::uint16_t type = in.Word();
    std::uint16_t count = in.Word();
    if (!in.Ok() || reserved != 0 || type != 1)
        return false;
    for (std::uint16_t i = 0; i < count; ++i) {
        IconGroupEntry e;
        std::uint8_t width = in.Byte(), height = in.Byte();
        e.width = width ? width : 256;
        e.height = height ? height : 256;
        e.colorCount = in.Byte();
        in.Byte();
        e.planes = in.Word();
        e.bitCount = in.Word();
        e.bytesInRes = in.Dword();
        e.iconId = in.Word();
        if (!in.Ok())
            return false;
        out.push_back(e);
    }
    return true;
}

int ChooseIconEntry(const std::vector<IconGroupEntry>& entries, int cx, int cy)
{
    if (cx <= 0)
        cx = kDefaultIconSize;
    if (cy <= 0)
        cy = kDefaultIconSize;
    int best = -1;
    int bestDistance = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const IconGroupEntry& e = entries[i];
        int distance = std::abs(e.width - cx) + std::abs(e.height - cy);
        if (best < 0 || distance < bestDistance || (distance == bestDistance && e.bitCount > entries[static_cast<std::size_t>(best)].bitCount)) {
            best = static_cast<int>(i);
            bestDistance = distance;
        }
    }
    return best;
}

bool DecodeIconImage(const void* data, std::size_t size, IconBitmap& out)
{
    out = IconBitmap();
    ResourceReader in(data, size);
    std::uint32_t headerSize = in.Dword();
    std::int32_t width = static_cast<std::int32_t>(in.Dword());
    std::int32_t doubleHeight = static_cast<std::int32_t>(in.Dword());
    in.Word(); // planes
    std::uint16_t bitCount = in.Word();
    std::uint32_t compression = in.Dword();
    in.Dword(); // image size
    in.Dword();
    in.Dword(); // resolution
    std::uint32_t colorsUsed = in.Dword();
    in.Dword(); // important colours
    // A PNG image starts with its signature instead of a BITMAPINFOHEADER.
    if (!in.Ok() || headerSize < 40 || compression != 0 || width <= 0 || width > 256 || doubleHeight <= 0 || doubleHeight > 512)
        return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return false;
    const int height = doubleHeight / 2;
    const std::uint8_t* skip = nullptr;
    if (!in.Bytes(headerSize - 40, skip))
        return false;
    std::vector<std::uint32_t> palette;
    if (bitCount <= 8) {
        std::uint32_t colours = colorsUsed ? colorsUsed : (1u << bitCount);
        if (colours > 256)
            return false;
        for (std::uint32_t i = 0; i < colours; ++i) {
            std::uint32_t bgrx = in.Dword();
            palette.push_back(0xFF000000u | (bgrx & 0x00FFFFFFu));
        }
    }
    const std::uint8_t* colour = nullptr;
    const std::uint8_t* mask = nullptr;
    const std::size_t colourStride = Stride(width, bitCount), maskStride = Stride(width, 1);
    if (!in.Bytes(colourStride * static_cast<std::size_t>(height), colour))
        return false;
    // 32-bit images may leave the mask out; their alpha says it all.
    bool hasMask = in.Bytes(maskStride * static_cast<std::size_t>(height), mask);
    if (!hasMask && bitCount != 32)
        return false;

    out.width = width;
    out.height = height;
    out.bitCount = bitCount;
    out.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = colour + colourStride * static_cast<std::size_t>(height - 1 - y); // rows are stored bottom-up
        for (int x = 0; x < width; ++x) {
            std::uint32_t argb = 0;
            switch (bitCount) {
            case 32:
                argb = static_cast<std::uint32_t>(row[x * 4 + 3]) << 24 | static_cast<std::uint32_t>(row[x * 4 + 2]) << 16 |
                       static_cast<std::uint32_t>(row[x * 4 + 1]) << 8 | row[x * 4];
                anyAlpha = anyAlpha || (argb >> 24) != 0;
                break;
            case 24:
                argb = 0xFF000000u | static_cast<std::uint32_t>(row[x * 3 + 2]) << 16 | static_cast<std::uint32_t>(row[x * 3 + 1]) << 8 | row[x * 3];
                break;
            default: {
                int perByte = 8 / bitCount;
                int shift = 8 - bitCount * (x % perByte + 1);
                std::size_t index = (row[x / perByte] >> shift) & ((1u << bitCount) - 1);
                argb = index < palette.size() ? palette[index] : 0xFF000000u;
            }
            }
            out.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = argb;
        }
    }
    if (hasMask && (bitCount != 32 || !anyAlpha)) {
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = mask + maskStride * static_cast<std::size_t>(height - 1 - y);
            for (int x = 0; x < width; ++x) {
                std::uint32_t& p = out.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
                bool transparent = (row[x / 8] >> (7 - x % 8)) & 1;
                p = transparent ? 0 : (p | 0xFF000000u);
            }
        }
    }
    return true;
}

bool LoadIconBitmap(HMODULE module, LPCWSTR name, int cx, int cy, IconBitmap& out)
{
    HRSRC group = FindResourceW(module, name, RT_GROUP_ICON);
    if (!group)
        return false;
    std::vector<IconGroupEntry> entries;
    if (!ParseIconGroup(LockResource(LoadResource(module, group)), SizeofResource(module, group), entries)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return false;
    }
    int chosen = ChooseIconEntry(entries, cx, cy);
    if (chosen < 0) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return false;
    }
    HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(entries[static_cast<std::size_t>(chosen)].iconId), RT_ICON);
    if (!image)
        return false;
    if (!DecodeIconImage(LockResource(LoadResource(module, image)), SizeofResource(module, image), out)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return false;
    }
    return true;
}

} // namespace winenv
