// The terminal hands the program its arguments in the locale's encoding, UTF-8 here.
#include "ProgramArguments.h"

namespace plmclient {

std::vector<std::string> ProgramArguments(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }

} // namespace plmclient
