// VARIANT conversions of the client (QvATLHelper.dll).
#pragma once

#include <afxstr.h>

#include "QvInterfaces.h"

class CVariantHelper {
public:
    // Text of any scalar VARIANT; empty for VT_EMPTY and VT_NULL.
    static CString VariantToString(const VARIANT& var);
    // Integer value; text is parsed as a decimal number; 0 when there is none.
    static LONG VariantToLong(const VARIANT& var);
};
