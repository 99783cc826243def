// The Linux build offers all of them.
#include "BuildFeatures.h"

namespace plmclient {

bool BuildOffers(const std::string& feature)
{
    return feature == "server" || feature == "terminal" || feature == "snapshot";
}

} // namespace plmclient
