// The client's system object, made fresh for each helper call that needs it.
#pragma once

#include "QvInterfaces.h"

namespace qvsdk {

// CLSCTX_ALL, the context every client object is created with.
inline constexpr DWORD kClientClassContext = 0x17;

// *ppSystem receives a reference the caller releases; null on failure.
HRESULT CreateSystemObject(IQvPlmSystem** ppSystem);

} // namespace qvsdk
