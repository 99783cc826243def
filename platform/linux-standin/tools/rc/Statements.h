// The resource statements. Each is called with the reader just after its keyword (and, for a
// named resource, after the name and the keyword) and adds what it makes to the context.
#pragma once

#include "ScriptContext.h"
#include "ScriptReader.h"

namespace vizrc {

void ParseDialogEx(ScriptReader& in, ScriptContext& ctx, const ResourceId& name, const SourceLocation& where);
void ParseStringTable(ScriptReader& in, ScriptContext& ctx);
void ParseIcon(ScriptReader& in, ScriptContext& ctx, const ResourceId& name, const SourceLocation& where);
void ParseVersionInfo(ScriptReader& in, ScriptContext& ctx, const ResourceId& name, const SourceLocation& where);
// RCDATA, DLGINIT and user-defined types: a file name, or a BEGIN ... END block of raw data.
void ParseData(ScriptReader& in, ScriptContext& ctx, const ResourceId& name, const ResourceId& type, const SourceLocation& where);

// After LANGUAGE: "primary, sub" as a LANGID.
std::uint16_t ParseLanguage(ScriptReader& in);
// The options between a resource's header and its BEGIN: memory flags (ignored), LANGUAGE,
// CHARACTERISTICS and VERSION (ignored). Updates the resource's language.
void ParseResourceOptions(ScriptReader& in, std::uint16_t& language);
// BEGIN ... END of raw data: numbers are WORDs (DWORDs with an L suffix), "strings" bytes,
// L"strings" UTF-16, all without terminator.
std::vector<std::uint8_t> ParseRawData(ScriptReader& in);

} // namespace vizrc
