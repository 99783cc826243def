// A UTF-8 text as a JSON string literal, quotes included.
#pragma once

#include <string>

namespace plmclient {

std::string JsonString(const std::string& s);

} // namespace plmclient
