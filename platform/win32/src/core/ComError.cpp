// _com_error's message text and _com_issue_error.
#include <comdef.h>

#include <cwchar>

#include "SystemMessages.h"

void __stdcall _com_issue_error(HRESULT hr) { throw _com_error(hr); }

_com_error::~_com_error() noexcept { delete[] m_pszMsg; }

_com_error& _com_error::operator=(const _com_error& that) noexcept
{
    if (this != &that) {
        m_hresult = that.m_hresult;
        delete[] m_pszMsg;
        m_pszMsg = nullptr;
    }
    return *this;
}

const wchar_t* _com_error::ErrorMessage() const noexcept
{
    if (m_pszMsg == nullptr) {
        std::wstring text = win32core::SystemMessage(m_hresult);
        if (text.empty()) {
            wchar_t buffer[40];
            if (WORD wCode = WCode())
                std::swprintf(buffer, 40, L"IDispatch error #%d", static_cast<int>(wCode));
            else
                std::swprintf(buffer, 40, L"Unknown error 0x%0X", static_cast<unsigned>(m_hresult));
            text = buffer;
        }
        m_pszMsg = new (std::nothrow) wchar_t[text.size() + 1];
        if (m_pszMsg == nullptr)
            return L"";
        std::wmemcpy(m_pszMsg, text.c_str(), text.size() + 1);
    }
    return m_pszMsg;
}
