// What a build of the program offers that the other may not, so that its help and its refusals
// name only what it can do: "server" (a PostgreSQL database), "terminal" (--interactive, a person
// at the terminal) and "snapshot" (the headless desktop's picture of a dialog).
#pragma once

#include <string>

namespace plmclient {

bool BuildOffers(const std::string& feature);

} // namespace plmclient
