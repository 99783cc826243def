#include "ZORUIWait.h"

#include "BstrCopy.h"
#include "SystemObject.h"

CPlmWait::CPlmWait(LPCWSTR lpszCaption, int nLower, int nUpper, short nStep, int nFlags)
{
    HRESULT hr = CoCreateInstance(CLSID_QvWaitWindow, nullptr, qvsdk::kClientClassContext, __uuidof(IQvWaitWindow),
        reinterpret_cast<void**>(&m_pWait));
    if (FAILED(hr) || m_pWait == nullptr) {
        m_pWait = nullptr;
        return;
    }
    m_pWait->Init(qvsdk::CopyText(lpszCaption), nLower, nUpper, nStep, nFlags);
}

CPlmWait::~CPlmWait()
{
    if (m_pWait != nullptr)
        m_pWait->EndWait();
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
