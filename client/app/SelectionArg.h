// A selection named on the command line: "Class:id", or the id alone.
#pragma once

#include <string>

#include <qvclient/Client.h>

#include "QvInterfaces.h"

namespace plmclient {

// *ppObject receives a reference and selection the object as "Class:id" (its class looked up when
// the argument gives the id alone); false with a message for a malformed text, an unknown object,
// or a class that is not the object's own.
bool OpenSelection(const qvclient::Client& client, const std::wstring& arg, IQvOtlObject** ppObject,
    std::wstring& selection, std::string& error);

} // namespace plmclient
