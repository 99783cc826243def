// The Windows build keeps its database in the client folder (no PostgreSQL client) and runs on the
// system's own desktop: no terminal person and no picture of the headless desktop.
#include "BuildFeatures.h"

namespace plmclient {

bool BuildOffers(const std::string&) { return false; }

} // namespace plmclient
