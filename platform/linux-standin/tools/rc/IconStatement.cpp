// ICON: every image of the .ico file becomes an RT_ICON resource, and the group an RT_GROUP_ICON
// whose GRPICONDIR names them by id.
#include "BinaryWriter.h"
#include "Statements.h"

namespace vizrc {

namespace {

std::uint16_t ReadWord(const std::vector<std::uint8_t>& b, size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t ReadDword(const std::vector<std::uint8_t>& b, size_t at)
{
    return ReadWord(b, at) | (static_cast<std::uint32_t>(ReadWord(b, at + 2)) << 16);
}

} // namespace

void ParseIcon(ScriptReader& in, ScriptContext& ctx, const ResourceId& name, const SourceLocation& where)
{
    std::uint16_t language = ctx.language;
    ParseResourceOptions(in, language);
    Token file = in.Next();
    if (file.kind != TokenKind::String)
        throw CompileError(file.where, "icon file name (a quoted string) expected");
    std::vector<std::uint8_t> ico = ctx.ReadFile(file.value, file.where);

    constexpr size_t kDirSize = 6, kEntrySize = 16;
    if (ico.size() < kDirSize || ReadWord(ico, 0) != 0 || ReadWord(ico, 2) != 1 || ReadWord(ico, 4) == 0)
        throw CompileError(file.where, "not an icon file");
    std::uint16_t count = ReadWord(ico, 4);
    if (ico.size() < kDirSize + count * kEntrySize)
        throw CompileError(file.where, "icon file directory is truncated");

    BinaryWriter group;
    group.Word(0); // reserved
    group.Word(1); // type: icon
    group.Word(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        size_t e = kDirSize + i * kEntrySize;
        std::uint32_t size = ReadDword(ico, e + 8), offset = ReadDword(ico, e + 12);
        if (offset > ico.size() || size > ico.size() - offset || size < 4)
            throw CompileError(file.where, "icon image " + std::to_string(i) + " lies outside the file");
        std::vector<std::uint8_t> image(ico.begin() + offset, ico.begin() + offset + size);
        std::uint16_t planes = ReadWord(ico, e + 4), bitCount = ReadWord(ico, e + 6);
        // Some icon editors leave these 0 in the directory; the bitmap header has them.
        if (bitCount == 0 && image.size() >= 16 && ReadDword(image, 0) == 40) {
            planes = ReadWord(image, 12);
            bitCount = ReadWord(image, 14);
        }

        Resource r;
        r.type = ResourceId::Number(kRtIcon);
        r.name = ResourceId::Number(ctx.nextIconImageId);
        r.language = language;
        r.where = where;
        r.data = std::move(image);

        group.Byte(ico[e]);     // width (0 = 256)
        group.Byte(ico[e + 1]); // height
        group.Byte(ico[e + 2]); // colour count
        group.Byte(0);
        group.Word(planes);
        group.Word(bitCount);
        group.Dword(size);
        group.Word(ctx.nextIconImageId);
        ++ctx.nextIconImageId;
        ctx.Add(std::move(r));
    }

    Resource r;
    r.type = ResourceId::Number(kRtGroupIcon);
    r.name = name;
    r.language = language;
    r.where = where;
    r.data = group.Take();
    ctx.Add(std::move(r));
}

} // namespace vizrc
