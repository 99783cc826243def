// The client's wait window (ZORUIWait.dll). Closed when the object is destroyed.
#pragma once

#include <comdef.h>

#include "QvInterfaces.h"

class CPlmWait {
public:
    CPlmWait(LPCWSTR lpszCaption, int nLower, int nUpper, short nStep, int nFlags);
    ~CPlmWait();
    CPlmWait(const CPlmWait&) = delete;
    CPlmWait& operator=(const CPlmWait&) = delete;

    HRESULT BeginWait(HWND hWndParent, LPCWSTR lpszText);
    HRESULT Step();

private:
    IQvWaitWindowPtr m_pWait;
};
