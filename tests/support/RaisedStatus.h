// The status of the _com_error a call raises: what the module's smart pointers throw on a null
// pointer or a failed call.
#pragma once

#include <comdef.h>

namespace viztest {

// The raised status, or S_OK when the call returned normally.
template <class Call>
HRESULT Raised(Call call)
{
    try {
        call();
    } catch (const _com_error& e) {
        return e.Error();
    }
    return S_OK;
}

} // namespace viztest
