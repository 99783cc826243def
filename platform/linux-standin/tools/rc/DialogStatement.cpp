// DIALOGEX: a DLGTEMPLATEEX followed by one DLGITEMTEMPLATEEX per control, each DWORD aligned.
#include "BinaryWriter.h"
#include "Statements.h"

#include <optional>
#include <strings.h>
#include <utf/Utf.h>

namespace vizrc {

namespace {

constexpr std::uint32_t WS_POPUP = 0x80000000u, WS_CHILD = 0x40000000u, WS_VISIBLE = 0x10000000u, WS_CAPTION = 0x00C00000u,
                        WS_BORDER = 0x00800000u, WS_SYSMENU = 0x00080000u, WS_GROUP = 0x00020000u, WS_TABSTOP = 0x00010000u;
constexpr std::uint32_t DS_SETFONT = 0x40;
constexpr std::uint32_t BS_PUSHBUTTON = 0, BS_DEFPUSHBUTTON = 1, BS_CHECKBOX = 2, BS_AUTOCHECKBOX = 3, BS_RADIOBUTTON = 4,
                        BS_GROUPBOX = 7, BS_AUTORADIOBUTTON = 9;
constexpr std::uint32_t SS_LEFT = 0, SS_CENTER = 1, SS_RIGHT = 2, SS_ICON = 3;
constexpr std::uint32_t ES_LEFT = 0;

// The predefined window classes a template names by atom.
enum : std::uint16_t { kButtonAtom = 0x0080, kEditAtom = 0x0081, kStaticAtom = 0x0082, kListBoxAtom = 0x0083, kScrollBarAtom = 0x0084, kComboBoxAtom = 0x0085 };

// A string, or 0xFFFF and an ordinal.
struct SzOrOrd {
    bool ordinal = false;
    std::uint16_t number = 0;
    std::u32string text;

    static SzOrOrd Text(std::u32string t) { return SzOrOrd{false, 0, std::move(t)}; }
    static SzOrOrd Ordinal(std::uint16_t n) { return SzOrOrd{true, n, {}}; }
    static SzOrOrd From(const ResourceId& id) { return id.IsName() ? Text(id.name) : Ordinal(id.number); }

    void Write(BinaryWriter& out) const
    {
        if (ordinal) {
            out.Word(0xFFFF);
            out.Word(number);
        } else {
            out.Utf16(utf::ToUtf16(text), true);
        }
    }
};

struct Control {
    std::uint32_t helpId = 0, exStyle = 0, style = 0, id = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    SzOrOrd windowClass, text;
    std::vector<std::uint8_t> creationData;
};

struct Dialog {
    std::uint32_t helpId = 0, exStyle = 0, style = WS_POPUP | WS_BORDER | WS_SYSMENU;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    SzOrOrd menu, windowClass, caption;
    bool hasFont = false;
    std::uint16_t pointSize = 0, weight = 0;
    std::uint8_t italic = 0, charset = 1;
    std::u32string typeface;
    std::vector<Control> controls;
};

struct ControlKind {
    const char* keyword;
    std::uint16_t classAtom;
    std::uint32_t style;
    bool hasText;
};

const ControlKind kControlKinds[] = {
    {"LTEXT", kStaticAtom, SS_LEFT | WS_GROUP, true},
    {"CTEXT", kStaticAtom, SS_CENTER | WS_GROUP, true},
    {"RTEXT", kStaticAtom, SS_RIGHT | WS_GROUP, true},
    {"PUSHBUTTON", kButtonAtom, BS_PUSHBUTTON | WS_TABSTOP, true},
    {"DEFPUSHBUTTON", kButtonAtom, BS_DEFPUSHBUTTON | WS_TABSTOP, true},
    {"GROUPBOX", kButtonAtom, BS_GROUPBOX, true},
    {"CHECKBOX", kButtonAtom, BS_CHECKBOX | WS_TABSTOP, true},
    {"AUTOCHECKBOX", kButtonAtom, BS_AUTOCHECKBOX | WS_TABSTOP, true},
    {"RADIOBUTTON", kButtonAtom, BS_RADIOBUTTON | WS_TABSTOP, true},
    {"AUTORADIOBUTTON", kButtonAtom, BS_AUTORADIOBUTTON | WS_TABSTOP, true},
    {"EDITTEXT", kEditAtom, ES_LEFT | WS_BORDER | WS_TABSTOP, false},
};

SzOrOrd ClassOf(const std::u32string& name)
{
    static const struct {
        const char* name;
        std::uint16_t atom;
    } atoms[] = {{"BUTTON", kButtonAtom}, {"EDIT", kEditAtom}, {"STATIC", kStaticAtom}, {"LISTBOX", kListBoxAtom}, {"SCROLLBAR", kScrollBarAtom}, {"COMBOBOX", kComboBoxAtom}};
    for (const auto& a : atoms)
        if (::strcasecmp(utf::ToUtf8(name).c_str(), a.name) == 0)
            return SzOrOrd::Ordinal(a.atom);
    return SzOrOrd::Text(name);
}

// A control's text: a quoted string as written, or a resource ordinal or name.
SzOrOrd ReadText(ScriptReader& in)
{
    if (in.Peek().kind == TokenKind::String)
        return SzOrOrd::Text(in.Next().value);
    return SzOrOrd::From(in.NameOrNumber("control text"));
}

void ReadRectangle(ScriptReader& in, Control& c)
{
    c.x = in.Coordinate("x");
    in.ExpectComma();
    c.y = in.Coordinate("y");
    in.ExpectComma();
    c.cx = in.Coordinate("width");
    in.ExpectComma();
    c.cy = in.Coordinate("height");
}

// ", style [, exstyle [, helpid]]" after the rectangle; the style adds to the defaults.
void ReadTrailingStyles(ScriptReader& in, Control& c, std::uint32_t defaults)
{
    c.style = defaults;
    if (!in.AcceptPunct(","))
        return;
    c.style = in.Expression("style").ApplyTo(defaults);
    if (!in.AcceptPunct(","))
        return;
    c.exStyle = in.Number("extended style");
    if (in.AcceptPunct(","))
        c.helpId = in.Number("help id");
}

Control ReadControl(ScriptReader& in)
{
    const std::uint32_t base = WS_CHILD | WS_VISIBLE;
    Control c;
    if (in.AcceptKeyword("CONTROL")) {
        c.text = ReadText(in);
        in.ExpectComma();
        c.id = in.Number("control id");
        in.ExpectComma();
        if (in.Peek().kind == TokenKind::String) {
            c.windowClass = ClassOf(in.Next().value);
        } else if (in.Peek().kind == TokenKind::Identifier) {
            std::u32string name;
            utf::DecodeUtf8(in.Next().text, name);
            c.windowClass = ClassOf(name);
        } else {
            in.Fail("window class expected, found '" + in.Peek().text + "'");
        }
        in.ExpectComma();
        c.style = in.Expression("style").ApplyTo(base);
        in.ExpectComma();
        ReadRectangle(in, c);
        if (in.AcceptPunct(",")) {
            c.exStyle = in.Number("extended style");
            if (in.AcceptPunct(","))
                c.helpId = in.Number("help id");
        }
    } else if (in.AcceptKeyword("ICON")) {
        c.windowClass = SzOrOrd::Ordinal(kStaticAtom);
        c.text = ReadText(in);
        in.ExpectComma();
        c.id = in.Number("control id");
        in.ExpectComma();
        c.x = in.Coordinate("x");
        in.ExpectComma();
        c.y = in.Coordinate("y");
        c.style = base | SS_ICON;
        if (in.AcceptPunct(",")) {
            c.cx = in.Coordinate("width");
            in.ExpectComma();
            c.cy = in.Coordinate("height");
            ReadTrailingStyles(in, c, base | SS_ICON);
        }
    } else {
        const ControlKind* kind = nullptr;
        for (const ControlKind& k : kControlKinds)
            if (in.IsKeyword(k.keyword))
                kind = &k;
        if (!kind)
            in.Fail("unknown control statement '" + in.Peek().text + "'");
        in.Next();
        c.windowClass = SzOrOrd::Ordinal(kind->classAtom);
        if (kind->hasText) {
            c.text = ReadText(in);
            in.ExpectComma();
        }
        c.id = in.Number("control id");
        in.ExpectComma();
        ReadRectangle(in, c);
        ReadTrailingStyles(in, c, base | kind->style);
    }
    if (in.AtBegin())
        c.creationData = ParseRawData(in);
    return c;
}

std::vector<std::uint8_t> Encode(const Dialog& d, const SourceLocation& where)
{
    if (d.controls.size() > 0xFFFF)
        throw CompileError(where, "too many controls");
    BinaryWriter out;
    out.Word(1);      // dlgVer
    out.Word(0xFFFF); // signature: DLGTEMPLATEEX
    out.Dword(d.helpId);
    out.Dword(d.exStyle);
    out.Dword(d.style);
    out.Word(static_cast<std::uint16_t>(d.controls.size()));
    out.Word(static_cast<std::uint16_t>(d.x));
    out.Word(static_cast<std::uint16_t>(d.y));
    out.Word(static_cast<std::uint16_t>(d.cx));
    out.Word(static_cast<std::uint16_t>(d.cy));
    d.menu.Write(out);
    d.windowClass.Write(out);
    d.caption.Write(out);
    if (d.style & DS_SETFONT) {
        out.Word(d.pointSize);
        out.Word(d.weight);
        out.Byte(d.italic);
        out.Byte(d.charset);
        out.Utf16(utf::ToUtf16(d.typeface), true);
    }
    for (const Control& c : d.controls) {
        out.AlignTo4();
        out.Dword(c.helpId);
        out.Dword(c.exStyle);
        out.Dword(c.style);
        out.Word(static_cast<std::uint16_t>(c.x));
        out.Word(static_cast<std::uint16_t>(c.y));
        out.Word(static_cast<std::uint16_t>(c.cx));
        out.Word(static_cast<std::uint16_t>(c.cy));
        out.Dword(c.id);
        c.windowClass.Write(out);
        c.text.Write(out);
        if (c.creationData.size() > 0xFFFF)
            throw CompileError(where, "control creation data too long");
        out.Word(static_cast<std::uint16_t>(c.creationData.size()));
        out.Bytes(c.creationData);
    }
    return out.Take();
}

} // namespace

void ParseDialogEx(ScriptReader& in, ScriptContext& ctx, const ResourceId& name, const SourceLocation& where)
{
    Resource r;
    r.type = ResourceId::Number(kRtDialog);
    r.name = name;
    r.language = ctx.language;
    r.where = where;
    ParseResourceOptions(in, r.language);

    Dialog d;
    d.x = in.Coordinate("x");
    in.ExpectComma();
    d.y = in.Coordinate("y");
    in.ExpectComma();
    d.cx = in.Coordinate("width");
    in.ExpectComma();
    d.cy = in.Coordinate("height");
    if (in.AcceptPunct(","))
        d.helpId = in.Number("help id");

    bool hasCaption = false;
    while (!in.AtBegin()) {
        if (in.AcceptKeyword("STYLE")) {
            d.style = in.Expression("style").ApplyTo(0);
        } else if (in.AcceptKeyword("EXSTYLE")) {
            d.exStyle = in.Number("extended style");
        } else if (in.AcceptKeyword("CAPTION")) {
            d.caption = SzOrOrd::Text(in.String("caption"));
            hasCaption = true;
        } else if (in.AcceptKeyword("FONT")) {
            d.hasFont = true;
            d.pointSize = static_cast<std::uint16_t>(in.Number("point size"));
            in.ExpectComma();
            d.typeface = in.String("typeface");
            if (in.AcceptPunct(",")) {
                d.weight = static_cast<std::uint16_t>(in.Number("weight"));
                if (in.AcceptPunct(",")) {
                    d.italic = static_cast<std::uint8_t>(in.Number("italic"));
                    if (in.AcceptPunct(","))
                        d.charset = static_cast<std::uint8_t>(in.Number("character set"));
                }
            }
        } else if (in.AcceptKeyword("MENU")) {
            d.menu = SzOrOrd::From(in.NameOrNumber("menu"));
        } else if (in.AcceptKeyword("CLASS")) {
            d.windowClass = SzOrOrd::From(in.NameOrNumber("window class"));
        } else if (in.AcceptKeyword("LANGUAGE")) {
            r.language = ParseLanguage(in);
        } else if (in.AcceptKeyword("CHARACTERISTICS") || in.AcceptKeyword("VERSION")) {
            in.Number("value");
        } else {
            in.Fail("unknown dialog statement '" + in.Peek().text + "'");
        }
    }
    // As rc.exe: a caption brings the title bar, a font the DS_SETFONT that makes it part of the template.
    if (hasCaption)
        d.style |= WS_CAPTION;
    if (d.hasFont)
        d.style |= DS_SETFONT;

    in.ExpectBegin();
    while (!in.AcceptEnd())
        d.controls.push_back(ReadControl(in));
    r.data = Encode(d, where);
    ctx.Add(std::move(r));
}

} // namespace vizrc
