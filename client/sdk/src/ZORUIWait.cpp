#include "ZORUIWait.h"

#include "SystemObject.h"

CPlmWait::CPlmWait(LPCWSTR lpszCaption, int nLower, int nUpper, short nStep, int nFlags) : m_pWait(nullptr)
{
    HRESULT hr = CoCreateInstance(CLSID_QvWaitWindow, nullptr, qvsdk::kClientClassContext, __uuidof(IQvWaitWindow),
        reinterpret_cast<void**>(&m_pWait));
    if (FAILED(hr) || m_pWait == nullptr) {
        m_pWait = nullptr;
        return;
    }
    BSTR bstrCaption = SysAllocString(lpszCaption != nullptr ? lpszCaption : L"");
    m_pWait->Init(bstrCaption, nLower, nUpper, nStep, nFlags);
    SysFreeString(bstrCaption);
}

CPlmWait::~CPlmWait()
{
    if (m_pWait == nullptr)
        return;
    m_pWait->EndWait();
    m_pWait->Release();
}

HRESULT CPlmWait::BeginWait(HWND hWndParent, LPCWSTR lpszText)
{
    if (m_pWait == nullptr)
        return E_POINTER;
    return m_pWait->BeginWait(hWndParent, lpszText);
}

HRESULT CPlmWait::Step()
{
    if (m_pWait == nullptr)
        return E_POINTER;
    return m_pWait->Step();
}
