// '?' parameters as PostgreSQL numbers them ($1, $2, ...).
#pragma once

#include <string>

namespace qvclient {

// Replaces each '?' outside string literals, quoted identifiers and comments by $1, $2, ... in
// order; everything else is kept byte for byte.
std::string NumberPlaceholders(const std::string& sql);

} // namespace qvclient
