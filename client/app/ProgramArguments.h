// The command line as UTF-8, whatever the system's own encoding of it.
#pragma once

#include <string>
#include <vector>

namespace plmclient {

std::vector<std::string> ProgramArguments(int argc, char** argv);

} // namespace plmclient
