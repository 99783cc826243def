// CLSID_QvWaitWindow: the progress window shown while files are fetched. Every change is traced
// as "wait" and handed to the host's observer.
#pragma once

#include <memory>
#include <string>

#include "QvInterfaces.h"
#include <comkit/ComObject.h>

namespace qvclient {

struct ClientState;

class WaitWindow : public comkit::ComObject<IQvWaitWindow> {
public:
    explicit WaitWindow(std::shared_ptr<ClientState> state) : m_state(std::move(state)) {}

    STDMETHODIMP Init(BSTR bstrCaption, LONG nLower, LONG nUpper, SHORT nStep, LONG nFlags) override;
    STDMETHODIMP BeginWait(HWND hWndParent, LPCWSTR lpszText) override;
    STDMETHODIMP Step() override;
    STDMETHODIMP EndWait() override;

private:
    void Notify(const wchar_t* pszEvent);

    std::shared_ptr<ClientState> m_state;
    std::wstring m_strCaption;
    std::wstring m_strText;
    LONG m_nLower = 0;
    LONG m_nUpper = 0;
    LONG m_nStep = 1;
    LONG m_nPosition = 0;
    HWND m_hWndParent = nullptr;
    bool m_bShown = false;
};

} // namespace qvclient
