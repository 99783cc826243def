// A selection named on the command line as "Class:id".
#pragma once

#include <string>

#include "QvInterfaces.h"

namespace plmclient {

// *ppObject receives a reference; false with a message for a malformed text or an unknown object.
bool OpenSelection(const std::wstring& spec, IQvOtlObject** ppObject, std::string& error);

} // namespace plmclient
