// VARIANTs that carry a list of objects: VT_ARRAY | VT_UNKNOWN, one dimension, lower bound 0.
#pragma once

#include <vector>

#include <comdef.h>

namespace qvclient {

// *pvar receives a new array holding one reference to each element (the array's own).
HRESULT MakeUnknownArray(const std::vector<IUnknown*>& items, VARIANT* pvar);

// Each element of a VT_ARRAY | VT_UNKNOWN (or VT_DISPATCH, or VT_VARIANT of those) array, also
// behind VT_BYREF. VT_EMPTY gives no element.
HRESULT ReadUnknownArray(const VARIANT& var, std::vector<IUnknownPtr>& items);

} // namespace qvclient
