// String helpers of the client (QvString.dll).
#pragma once

#include "QvInterfaces.h"

class CStringHelper {
public:
    // 0 when equal. nFlags 0 compares exactly, 1 without regard to case. A null string equals
    // an empty one.
    static int BSTRCompare(LPCWSTR lpszA, LPCWSTR lpszB, int nFlags);
};
