// The client's run-time services (ZORRTWrapper.dll): the system object with its current
// transaction and global parameters, the system folders and the rights check.
#pragma once

#include <afxstr.h>

#include <comdef.h>

#include "QvInterfaces.h"

class CPlmSystemRef {
public:
    CPlmSystemRef();
    ~CPlmSystemRef();
    CPlmSystemRef(const CPlmSystemRef&) = delete;
    CPlmSystemRef& operator=(const CPlmSystemRef&) = delete;

    HRESULT Create();
    // *ppTransaction receives a reference the caller releases.
    HRESULT GetCurTransaction(IQvCslTransaction** ppTransaction);
    HRESULT GetZORGlobalParam(LPCWSTR lpszName, int* pnValue);

private:
    IQvPlmSystemPtr m_pSystem;
};

class CSystemPathHelper {
public:
    static HRESULT GetSystemTempPath(CString& strPath);
    static HRESULT GetSystemConfigPath(CString& strPath);
};

class CSecurityHelper {
public:
    static HRESULT CheckObjectBehaviorMethod(IQvOtlObject* pObject, LPCWSTR lpszBehavior, LPCWSTR lpszMethod,
        short* pbAllowed);
};
