// A dialog template read back from its resource bytes (DLGTEMPLATEEX, or the older DLGTEMPLATE),
// for the window system that builds dialogs from it. Text is converted to wchar_t.
// Not a Windows API: never included by the module.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace winenv {

// A template field that is either a string or an ordinal (0xFFFF followed by a WORD). An empty,
// non-ordinal value means the field was absent (no menu, default class, no title).
struct NameOrOrdinal {
    bool isOrdinal = false;
    std::uint16_t ordinal = 0;
    std::wstring name;
};

// Class atoms of the predefined controls in a template.
enum : std::uint16_t {
    kButtonClassAtom = 0x0080,
    kEditClassAtom = 0x0081,
    kStaticClassAtom = 0x0082,
    kListBoxClassAtom = 0x0083,
    kScrollBarClassAtom = 0x0084,
    kComboBoxClassAtom = 0x0085,
};

struct DialogItemTemplate {
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0; // dialog units
    std::uint32_t id = 0;
    NameOrOrdinal windowClass;                  // an atom above, or a class name ("SysTreeView32", "{CLSID}")
    NameOrOrdinal text;                         // text, or a resource ordinal (an icon's id)
    std::vector<std::uint8_t> creationData;

    // The class name whatever its form: "Button", "Edit", "Static", ... for the atoms.
    std::wstring ClassName() const;
};

struct DialogTemplate {
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0; // dialog units
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::wstring title;
    bool hasFont = false; // DS_SETFONT
    std::uint16_t pointSize = 0;
    std::uint16_t weight = 0;
    bool italic = false;
    std::uint8_t charset = 0;
    std::wstring typeface;
    std::vector<DialogItemTemplate> items;
};

// Reads a DLGTEMPLATEEX as LockResource gives it. False for the older DLGTEMPLATE, which the
// resource compiler never makes, and when the bytes end early or are malformed.
bool ParseDialogTemplate(const void* data, std::size_t size, DialogTemplate& out);

} // namespace winenv
