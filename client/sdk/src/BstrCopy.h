// Text handed to the client as a BSTR.
#pragma once

#include <comdef.h>

namespace qvsdk {

// A copy of the text (none is ""); empty when memory runs out, which the caller reports as
// E_OUTOFMEMORY rather than an exception.
inline _bstr_t CopyText(LPCWSTR psz)
{
    return _bstr_t(SysAllocString(psz != nullptr ? psz : L""), false);
}

} // namespace qvsdk
