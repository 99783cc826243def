#include "WaitWindow.h"

#include <winenv/Trace.h>

#include "ClientState.h"

namespace qvclient {

STDMETHODIMP WaitWindow::Init(BSTR bstrCaption, LONG nLower, LONG nUpper, SHORT nStep, LONG)
{
    m_strCaption = bstrCaption != nullptr ? std::wstring(bstrCaption, SysStringLen(bstrCaption)) : std::wstring();
    m_nLower = nLower;
    m_nUpper = nUpper < nLower ? nLower : nUpper;
    // A step of zero or less moves one position at a time.
    m_nStep = nStep > 0 ? nStep : 1;
    m_nPosition = nLower;
    return S_OK;
}

STDMETHODIMP WaitWindow::BeginWait(HWND hWndParent, LPCWSTR lpszText)
{
    m_hWndParent = hWndParent;
    m_strText = lpszText != nullptr ? lpszText : L"";
    m_nPosition = m_nLower;
    m_bShown = true;
    Notify(L"begin");
    return S_OK;
}

STDMETHODIMP WaitWindow::Step()
{
    if (!m_bShown)
        return S_FALSE;
    m_nPosition = m_nPosition + m_nStep > m_nUpper ? m_nUpper : m_nPosition + m_nStep;
    Notify(L"step");
    return S_OK;
}

STDMETHODIMP WaitWindow::EndWait()
{
    if (!m_bShown)
        return S_FALSE;
    m_bShown = false;
    Notify(L"end");
    return S_OK;
}

void WaitWindow::Notify(const wchar_t* pszEvent)
{
    WaitEvent event;
    event.event = pszEvent;
    event.caption = m_strCaption;
    event.text = m_strText;
    event.position = m_nPosition - m_nLower;
    event.total = m_nUpper - m_nLower;
    event.hWndParent = m_hWndParent;
    winenv::Trace("wait", {{"event", winenv::ToUtf8(event.event)}, {"caption", winenv::ToUtf8(event.caption)},
                                 {"text", winenv::ToUtf8(event.text)}, {"position", std::to_string(event.position)},
                                 {"total", std::to_string(event.total)}});
    WaitObserver observer;
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        observer = m_state->waitObserver;
    }
    if (observer)
        observer(event);
}

} // namespace qvclient
