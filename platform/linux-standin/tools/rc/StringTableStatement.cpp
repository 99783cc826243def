#include "Statements.h"

namespace vizrc {

void ParseStringTable(ScriptReader& in, ScriptContext& ctx)
{
    std::uint16_t language = ctx.language;
    ParseResourceOptions(in, language);
    in.ExpectBegin();
    while (!in.AcceptEnd()) {
        SourceLocation where = in.Where();
        std::uint32_t id = in.Number("string id");
        if (id > 0xFFFF)
            throw CompileError(where, "string id " + std::to_string(id) + " is out of range");
        in.AcceptPunct(",");
        ctx.AddString(static_cast<std::uint16_t>(id), language, in.String("string"), where);
    }
}

} // namespace vizrc
