#include "ScriptCompiler.h"

#include "Statements.h"

#include <utf/Utf.h>

namespace vizrc {

namespace {

// Statements of rc.exe that this compiler does not implement: better to stop than to guess.
const char* const kUnsupported[] = {"DIALOG", "MENU", "MENUEX", "ACCELERATORS", "BITMAP", "CURSOR", "FONT", "HTML",
                                    "MESSAGETABLE", "TOOLBAR", "TEXTINCLUDE", "DESIGNINFO", "PLUGPLAY", "VXD", "ANICURSOR", "ANIICON"};

void Statement(ScriptReader& in, ScriptContext& ctx)
{
    SourceLocation where = in.Where();
    if (in.AcceptKeyword("LANGUAGE")) {
        ctx.language = ParseLanguage(in);
        return;
    }
    if (in.AcceptKeyword("STRINGTABLE")) {
        ParseStringTable(in, ctx);
        return;
    }
    if (in.Peek().kind == TokenKind::Punctuator && !StartsExpression(in.Peek()))
        in.Fail("statement expected, found '" + in.Peek().text + "'");
    ResourceId name = in.NameOrNumber("resource name");
    if (in.AtEnd())
        in.Fail("resource type expected after the name");
    for (const char* keyword : kUnsupported)
        if (in.IsKeyword(keyword))
            in.Fail(std::string("unsupported statement ") + keyword);
    if (in.AcceptKeyword("DIALOGEX")) {
        ParseDialogEx(in, ctx, name, where);
    } else if (in.AcceptKeyword("ICON")) {
        ParseIcon(in, ctx, name, where);
    } else if (in.AcceptKeyword("VERSIONINFO")) {
        ParseVersionInfo(in, ctx, name, where);
    } else if (in.AcceptKeyword("DLGINIT")) {
        ParseData(in, ctx, name, ResourceId::Number(kRtDlgInit), where);
    } else if (in.AcceptKeyword("RCDATA")) {
        ParseData(in, ctx, name, ResourceId::Number(kRtRcData), where);
    } else if (in.Peek().kind == TokenKind::Identifier && (in.Peek(1).kind == TokenKind::String || in.IsKeyword("BEGIN", 1) || in.Peek(1).IsPunct("{"))) {
        // A user-defined type named by a word: "IDR_DATA PNG "file.png"".
        std::u32string type;
        utf::DecodeUtf8(in.Next().text, type);
        ParseData(in, ctx, name, ResourceId::Name(type), where);
    } else if (in.Peek().kind == TokenKind::Identifier) {
        in.Fail("unknown statement '" + in.Peek().text + "'");
    } else {
        ResourceId type = in.NameOrNumber("resource type");
        ParseData(in, ctx, name, type, where);
    }
}

} // namespace

std::vector<Resource> CompileScript(std::vector<Token> tokens, ScriptContext& ctx)
{
    ScriptReader in(std::move(tokens));
    while (!in.AtEnd())
        Statement(in, ctx);
    return ctx.Finish();
}

} // namespace vizrc
