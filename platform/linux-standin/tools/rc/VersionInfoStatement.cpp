// VERSIONINFO: a VS_VERSIONINFO tree. Every node is wLength, wValueLength, wType, a UTF-16 key and
// its value, each part DWORD aligned; text values count their length in characters (with the
// terminator), binary values in bytes.
#include "BinaryWriter.h"
#include "Statements.h"

#include <utf/Utf.h>

namespace vizrc {

namespace {

constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
constexpr std::uint32_t kFixedFileInfoVersion = 0x00010000;

struct NodeStart {
    size_t offset;
};

NodeStart BeginNode(BinaryWriter& out, const std::u32string& key, std::uint16_t valueLength, bool text)
{
    out.AlignTo4();
    NodeStart start{out.Size()};
    out.Word(0); // wLength, patched by EndNode
    out.Word(valueLength);
    out.Word(text ? 1 : 0);
    out.Utf16(utf::ToUtf16(key), true);
    out.AlignTo4();
    return start;
}

void EndNode(BinaryWriter& out, NodeStart start, const SourceLocation& where)
{
    size_t length = out.Size() - start.offset;
    if (length > 0xFFFF)
        throw CompileError(where, "version block too large");
    out.PatchWord(start.offset, static_cast<std::uint16_t>(length));
}

// VALUE "key", values... : strings are text, numbers binary (WORDs, DWORDs with L).
void WriteValue(ScriptReader& in, BinaryWriter& out)
{
    SourceLocation where = in.Where();
    std::u32string key = in.String("value name");
    BinaryWriter value;
    bool text = false;
    size_t characters = 0;
    while (in.AcceptPunct(",")) {
        if (in.Peek().kind == TokenKind::String) {
            std::u16string units = utf::ToUtf16(in.Next().value);
            value.Utf16(units, true);
            characters += units.size() + 1;
            text = true;
        } else {
            ExprValue v = in.Expression("value");
            if (v.isLong)
                value.Dword(v.Bits());
            else
                value.Word(static_cast<std::uint16_t>(v.Bits()));
        }
    }
    size_t valueLength = text ? characters : value.Size();
    NodeStart node = BeginNode(out, key, static_cast<std::uint16_t>(valueLength), text);
    out.Bytes(value.Data());
    EndNode(out, node, where);
}

void WriteBlock(ScriptReader& in, BinaryWriter& out)
{
    SourceLocation where = in.Where();
    NodeStart node = BeginNode(out, in.String("block name"), 0, true);
    in.ExpectBegin();
    while (!in.AcceptEnd()) {
        if (in.AcceptKeyword("BLOCK"))
            WriteBlock(in, out);
        else if (in.AcceptKeyword("VALUE"))
            WriteValue(in, out);
        else
            in.Fail("BLOCK or VALUE expected, found '" + in.Peek().text + "'");
    }
    EndNode(out, node, where);
}

void ReadVersion(ScriptReader& in, std::uint32_t& ms, std::uint32_t& ls)
{
    std::uint32_t parts[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && !in.AcceptPunct(","))
            break;
        parts[i] = in.Number("version number") & 0xFFFF;
    }
    ms = (parts[0] << 16) | parts[1];
    ls = (parts[2] << 16) | parts[3];
}

} // namespace

void ParseVersionInfo(ScriptReader& in, ScriptContext& ctx, const ResourceId& name, const SourceLocation& where)
{
    Resource r;
    r.type = ResourceId::Number(kRtVersion);
    r.name = name;
    r.language = ctx.language;
    r.where = where;
    ParseResourceOptions(in, r.language);

    std::uint32_t fileMS = 0, fileLS = 0, productMS = 0, productLS = 0;
    std::uint32_t flagsMask = 0, flags = 0, os = 0, type = 0, subtype = 0;
    while (!in.AtBegin()) {
        if (in.AcceptKeyword("FILEVERSION"))
            ReadVersion(in, fileMS, fileLS);
        else if (in.AcceptKeyword("PRODUCTVERSION"))
            ReadVersion(in, productMS, productLS);
        else if (in.AcceptKeyword("FILEFLAGSMASK"))
            flagsMask = in.Number("file flags mask");
        else if (in.AcceptKeyword("FILEFLAGS"))
            flags = in.Number("file flags");
        else if (in.AcceptKeyword("FILEOS"))
            os = in.Number("file OS");
        else if (in.AcceptKeyword("FILETYPE"))
            type = in.Number("file type");
        else if (in.AcceptKeyword("FILESUBTYPE"))
            subtype = in.Number("file subtype");
        else
            in.Fail("unknown VERSIONINFO statement '" + in.Peek().text + "'");
    }

    BinaryWriter out;
    NodeStart root = BeginNode(out, U"VS_VERSION_INFO", 52, false);
    for (std::uint32_t v : {kFixedFileInfoSignature, kFixedFileInfoVersion, fileMS, fileLS, productMS, productLS, flagsMask, flags,
                            os, type, subtype, 0u, 0u})
        out.Dword(v);
    in.ExpectBegin();
    while (!in.AcceptEnd()) {
        if (!in.AcceptKeyword("BLOCK"))
            in.Fail("BLOCK expected, found '" + in.Peek().text + "'");
        WriteBlock(in, out);
    }
    EndNode(out, root, where);
    r.data = out.Take();
    ctx.Add(std::move(r));
}

} // namespace vizrc
