#include "winenv/DialogTemplate.h"

#include "ResourceReader.h"

namespace winenv {

namespace {

using win32resources::ResourceReader;

constexpr std::uint32_t kSetFont = 0x40; // DS_SETFONT

NameOrOrdinal ReadNameOrOrdinal(ResourceReader& in)
{
    NameOrOrdinal value;
    std::uint16_t first = in.Word();
    if (first == 0xFFFF) {
        value.isOrdinal = true;
        value.ordinal = in.Word();
    } else if (first != 0) {
        std::u16string units(1, static_cast<char16_t>(first));
        while (in.Ok()) {
            std::uint16_t c = in.Word();
            if (c == 0)
                break;
            units.push_back(static_cast<char16_t>(c));
        }
        value.name = ResourceReader::ToWide(units);
    }
    return value;
}

bool ReadItem(ResourceReader& in, DialogItemTemplate& item)
{
    in.AlignTo4();
    item.helpId = in.Dword();
    item.exStyle = in.Dword();
    item.style = in.Dword();
    item.x = static_cast<std::int16_t>(in.Word());
    item.y = static_cast<std::int16_t>(in.Word());
    item.cx = static_cast<std::int16_t>(in.Word());
    item.cy = static_cast<std::int16_t>(in.Word());
    item.id = in.Dword();
    item.windowClass = ReadNameOrOrdinal(in);
    item.text = ReadNameOrOrdinal(in);
    std::size_t count = in.Word(); // the creation data's bytes
    const std::uint8_t* at = nullptr;
    if (count && in.Bytes(count, at))
        item.creationData.assign(at, at + count);
    return in.Ok();
}

} // namespace

std::wstring DialogItemTemplate::ClassName() const
{
    if (!windowClass.isOrdinal)
        return windowClass.name;
    switch (windowClass.ordinal) {
    case kButtonClassAtom: return L"Button";
    case kEditClassAtom: return L"Edit";
    case kStaticClassAtom: return L"Static";
    case kListBoxClassAtom: return L"ListBox";
    case kScrollBarClassAtom: return L"ScrollBar";
    case kComboBoxClassAtom: return L"ComboBox";
    default: return L"#" + std::to_wstring(windowClass.ordinal);
    }
}

bool ParseDialogTemplate(const void* data, std::size_t size, DialogTemplate& out)
{
    out = DialogTemplate();
    ResourceReader in(data, size);
    std::uint16_t version = in.Word();
    std::uint16_t signature = in.Word();
    // DLGTEMPLATEEX only: the resource compiler makes no other kind.
    if (version != 1 || signature != 0xFFFF)
        return false;
    out.helpId = in.Dword();
    out.exStyle = in.Dword();
    out.style = in.Dword();
    std::uint16_t count = in.Word();
    out.x = static_cast<std::int16_t>(in.Word());
    out.y = static_cast<std::int16_t>(in.Word());
    out.cx = static_cast<std::int16_t>(in.Word());
    out.cy = static_cast<std::int16_t>(in.Word());
    out.menu = ReadNameOrOrdinal(in);
    out.windowClass = ReadNameOrOrdinal(in);
    out.title = in.String();
    if (out.style & kSetFont) {
        out.hasFont = true;
        out.pointSize = in.Word();
        out.weight = in.Word();
        out.italic = in.Byte() != 0;
        out.charset = in.Byte();
        out.typeface = in.String();
    }
    if (!in.Ok())
        return false;
    out.items.resize(count);
    for (DialogItemTemplate& item : out.items)
        if (!ReadItem(in, item))
            return false;
    return true;
}

} // namespace winenv
