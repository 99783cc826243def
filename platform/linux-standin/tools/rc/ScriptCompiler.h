// Compiles a preprocessed resource script into resources.
#pragma once

#include "Resource.h"
#include "ScriptContext.h"
#include "Token.h"

#include <vector>

namespace vizrc {

// Runs every statement of the script; throws CompileError at the first fault.
std::vector<Resource> CompileScript(std::vector<Token> tokens, ScriptContext& ctx);

} // namespace vizrc
