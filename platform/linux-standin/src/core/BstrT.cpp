// _bstr_t: one reference-counted Data_t holds the BSTR that every copy shares.
#include <atomic>
#include <cwchar>
#include <new>

#include <comdef.h>

class _bstr_t::Data_t {
public:
    explicit Data_t(BSTR owned) noexcept : m_wstr(owned) {}
    ~Data_t() { SysFreeString(m_wstr); }
    void AddRef() noexcept { ++m_refCount; }
    void Release() noexcept
    {
        if (--m_refCount == 0)
            delete this;
    }

    BSTR m_wstr;

private:
    std::atomic<long> m_refCount{1};
};

_bstr_t::_bstr_t() noexcept : m_Data(nullptr) {}

_bstr_t::_bstr_t(const _bstr_t& s) noexcept : m_Data(s.m_Data)
{
    if (m_Data)
        m_Data->AddRef();
}

namespace {

BSTR CopyOrRaise(const wchar_t* text, size_t length)
{
    BSTR copy = SysAllocStringLen(text, static_cast<UINT>(length));
    if (!copy)
        _com_issue_error(E_OUTOFMEMORY);
    return copy;
}

} // namespace

_bstr_t::_bstr_t(const wchar_t* s) : _bstr_t(s ? CopyOrRaise(s, std::wcslen(s)) : nullptr, false) {}

_bstr_t::_bstr_t(BSTR bstr, bool fCopy) : m_Data(nullptr)
{
    BSTR owned = fCopy && bstr ? CopyOrRaise(bstr, SysStringLen(bstr)) : bstr;
    m_Data = new (std::nothrow) Data_t(owned);
    if (!m_Data) {
        SysFreeString(owned);
        _com_issue_error(E_OUTOFMEMORY);
    }
}

_bstr_t::~_bstr_t() noexcept { Release(); }

void _bstr_t::Release() noexcept
{
    if (m_Data)
        m_Data->Release();
    m_Data = nullptr;
}

_bstr_t& _bstr_t::operator=(const _bstr_t& s) noexcept
{
    if (m_Data != s.m_Data) {
        Release();
        m_Data = s.m_Data;
        if (m_Data)
            m_Data->AddRef();
    }
    return *this;
}

_bstr_t::operator const wchar_t*() const noexcept { return m_Data ? m_Data->m_wstr : nullptr; }
_bstr_t::operator wchar_t*() const noexcept { return m_Data ? m_Data->m_wstr : nullptr; }

bool _bstr_t::operator!() const noexcept { return !m_Data || !m_Data->m_wstr; }

unsigned int _bstr_t::length() const noexcept { return m_Data ? SysStringLen(m_Data->m_wstr) : 0; }

BSTR* _bstr_t::GetAddress()
{
    *this = _bstr_t(static_cast<BSTR>(nullptr), false);
    return &m_Data->m_wstr;
}
