// Writes compiled resources as a C++ source: one winenv::ResourceTable under the well-known
// exported symbol, which FindResourceW finds in the module that the source is linked into.
#pragma once

#include "Resource.h"

#include <ostream>
#include <string>
#include <vector>

namespace vizrc {

void EmitSource(const std::vector<Resource>& resources, const std::string& scriptName, std::ostream& out);

} // namespace vizrc
