// The client's class model (ZORMetaWrapper.dll).
#pragma once

#include "QvInterfaces.h"

class CMetaClassRef {
public:
    // *pbResult non-zero when lpszClass is lpszBaseClass or derives from it.
    static HRESULT IsDescendentOrSelfClass(LPCWSTR lpszBaseClass, LPCWSTR lpszClass, int* pbResult);
};
