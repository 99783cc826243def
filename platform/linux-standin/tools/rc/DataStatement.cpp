#include "BinaryWriter.h"
#include "Statements.h"

#include <utf/Utf.h>

namespace vizrc {

std::uint16_t ParseLanguage(ScriptReader& in)
{
    std::uint32_t primary = in.Number("primary language");
    in.ExpectComma();
    std::uint32_t sub = in.Number("sublanguage");
    return static_cast<std::uint16_t>((sub << 10) | (primary & 0x3FF));
}

void ParseResourceOptions(ScriptReader& in, std::uint16_t& language)
{
    static const char* const memoryFlags[] = {"PRELOAD", "LOADONCALL", "FIXED", "MOVEABLE", "DISCARDABLE", "PURE", "IMPURE", "SHARED", "NONSHARED"};
    for (;;) {
        bool matched = false;
        for (const char* flag : memoryFlags)
            if (in.AcceptKeyword(flag))
                matched = true;
        if (matched)
            continue;
        if (in.AcceptKeyword("LANGUAGE")) {
            language = ParseLanguage(in);
        } else if (in.AcceptKeyword("CHARACTERISTICS") || in.AcceptKeyword("VERSION")) {
            in.Number("value");
        } else {
            return;
        }
    }
}

std::vector<std::uint8_t> ParseRawData(ScriptReader& in)
{
    BinaryWriter out;
    in.ExpectBegin();
    while (!in.AcceptEnd()) {
        const Token& t = in.Peek();
        if (t.kind == TokenKind::String) {
            Token s = in.Next();
            if (s.isWide)
                out.Utf16(utf::ToUtf16(s.value), false);
            else
                for (char c : utf::ToUtf8(s.value))
                    out.Byte(static_cast<std::uint8_t>(c));
        } else {
            ExprValue v = in.Expression("number or string");
            if (v.isLong)
                out.Dword(v.Bits());
            else
                out.Word(static_cast<std::uint16_t>(v.Bits()));
        }
        in.AcceptPunct(","); // optional, as rc.exe writes DLGINIT lines without a trailing one
    }
    return out.Take();
}

void ParseData(ScriptReader& in, ScriptContext& ctx, const ResourceId& name, const ResourceId& type, const SourceLocation& where)
{
    Resource r;
    r.type = type;
    r.name = name;
    r.language = ctx.language;
    r.where = where;
    ParseResourceOptions(in, r.language);
    if (in.Peek().kind == TokenKind::String) {
        Token file = in.Next();
        r.data = ctx.ReadFile(file.value, file.where);
    } else if (in.AtBegin()) {
        r.data = ParseRawData(in);
    } else {
        in.Fail("a file name or BEGIN expected, found '" + in.Peek().text + "'");
    }
    ctx.Add(std::move(r));
}

} // namespace vizrc
