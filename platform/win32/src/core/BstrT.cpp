// _bstr_t: one reference-counted Data_t holds the BSTR and, on demand, its ANSI (UTF-8) copy.
#include <atomic>
#include <cstring>
#include <cwchar>
#include <new>

#include <comdef.h>

#include <utf/Utf.h>

class _bstr_t::Data_t {
public:
    explicit Data_t(BSTR owned) noexcept : m_wstr(owned) {}
    ~Data_t()
    {
        SysFreeString(m_wstr);
        delete[] m_str;
    }
    void AddRef() noexcept { ++m_refCount; }
    void Release() noexcept
    {
        if (--m_refCount == 0)
            delete this;
    }
    bool Shared() const noexcept { return m_refCount.load() > 1; }
    const char* Narrow() const
    {
        if (!m_str && m_wstr)
            m_str = _com_util::ConvertBSTRToString(m_wstr);
        return m_str;
    }
    void ForgetNarrow() noexcept
    {
        delete[] m_str;
        m_str = nullptr;
    }

    BSTR m_wstr;

private:
    mutable char* m_str = nullptr;
    std::atomic<long> m_refCount{1};
};

namespace {

BSTR CopyOrRaise(const wchar_t* text, size_t length)
{
    BSTR copy = SysAllocStringLen(text, static_cast<UINT>(length));
    if (!copy)
        _com_issue_error(E_OUTOFMEMORY);
    return copy;
}

} // namespace

namespace _com_util {

BSTR __stdcall ConvertStringToBSTR(const char* pSrc)
{
    if (!pSrc)
        return nullptr;
    std::wstring wide;
    utf::DecodeUtf8(pSrc, wide);
    return CopyOrRaise(wide.data(), wide.size());
}

char* __stdcall ConvertBSTRToString(BSTR pSrc)
{
    if (!pSrc)
        return nullptr;
    std::string narrow;
    utf::EncodeUtf8(std::wstring_view(pSrc, SysStringLen(pSrc)), narrow);
    char* text = new char[narrow.size() + 1];
    std::memcpy(text, narrow.c_str(), narrow.size() + 1);
    return text;
}

} // namespace _com_util

_bstr_t::_bstr_t() noexcept : m_Data(nullptr) {}

_bstr_t::_bstr_t(const _bstr_t& s) noexcept : m_Data(s.m_Data)
{
    if (m_Data)
        m_Data->AddRef();
}

_bstr_t::_bstr_t(_bstr_t&& s) noexcept : m_Data(s.m_Data) { s.m_Data = nullptr; }

_bstr_t::_bstr_t(const char* s) : m_Data(nullptr)
{
    BSTR copy = _com_util::ConvertStringToBSTR(s);
    m_Data = new (std::nothrow) Data_t(copy);
    if (!m_Data) {
        SysFreeString(copy);
        _com_issue_error(E_OUTOFMEMORY);
    }
}

_bstr_t::_bstr_t(const wchar_t* s) : m_Data(nullptr)
{
    BSTR copy = s ? CopyOrRaise(s, std::wcslen(s)) : nullptr;
    m_Data = new (std::nothrow) Data_t(copy);
    if (!m_Data) {
        SysFreeString(copy);
        _com_issue_error(E_OUTOFMEMORY);
    }
}

_bstr_t::_bstr_t(const _variant_t& var) : m_Data(nullptr)
{
    if (V_VT(&var) == VT_BSTR) {
        *this = V_BSTR(&var);
        return;
    }
    _variant_t text;
    text.ChangeType(VT_BSTR, &var);
    *this = V_BSTR(&text);
}

_bstr_t::_bstr_t(BSTR bstr, bool fCopy) : m_Data(nullptr)
{
    BSTR owned = fCopy && bstr ? CopyOrRaise(bstr, SysStringLen(bstr)) : bstr;
    m_Data = new (std::nothrow) Data_t(owned);
    if (!m_Data) {
        if (fCopy)
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

_bstr_t& _bstr_t::operator=(_bstr_t&& s) noexcept
{
    if (this != &s) {
        Release();
        m_Data = s.m_Data;
        s.m_Data = nullptr;
    }
    return *this;
}

_bstr_t& _bstr_t::operator=(const char* s) { return *this = _bstr_t(s); }
_bstr_t& _bstr_t::operator=(const wchar_t* s) { return *this = _bstr_t(s); }
_bstr_t& _bstr_t::operator=(const _variant_t& var) { return *this = _bstr_t(var); }

_bstr_t _bstr_t::operator+(const _bstr_t& s) const
{
    const unsigned int left = length();
    const unsigned int right = s.length();
    BSTR joined = SysAllocStringLen(nullptr, left + right);
    if (!joined)
        _com_issue_error(E_OUTOFMEMORY);
    if (left)
        std::wmemcpy(joined, m_Data->m_wstr, left);
    if (right)
        std::wmemcpy(joined + left, s.m_Data->m_wstr, right);
    return _bstr_t(joined, false);
}

_bstr_t& _bstr_t::operator+=(const _bstr_t& s) { return *this = *this + s; }
_bstr_t operator+(const char* s1, const _bstr_t& s2) { return _bstr_t(s1) + s2; }
_bstr_t operator+(const wchar_t* s1, const _bstr_t& s2) { return _bstr_t(s1) + s2; }

_bstr_t::operator const wchar_t*() const noexcept { return m_Data ? m_Data->m_wstr : nullptr; }
_bstr_t::operator wchar_t*() const noexcept { return m_Data ? m_Data->m_wstr : nullptr; }
_bstr_t::operator const char*() const { return m_Data ? m_Data->Narrow() : nullptr; }
_bstr_t::operator char*() const { return const_cast<char*>(m_Data ? m_Data->Narrow() : nullptr); }

bool _bstr_t::operator!() const noexcept { return !m_Data || !m_Data->m_wstr; }

// Character by character, then the shorter first; no string and an empty one are equal.
int _bstr_t::Compare(const _bstr_t& str) const noexcept
{
    if (m_Data == str.m_Data)
        return 0;
    const unsigned int l1 = length();
    const unsigned int l2 = str.length();
    const unsigned int common = l1 < l2 ? l1 : l2;
    for (unsigned int i = 0; i < common; ++i) {
        const wchar_t a = m_Data->m_wstr[i];
        const wchar_t b = str.m_Data->m_wstr[i];
        if (a != b)
            return a < b ? -1 : 1;
    }
    return l1 < l2 ? -1 : l1 == l2 ? 0 : 1;
}

BSTR _bstr_t::copy(bool fCopy) const
{
    if (!m_Data || !m_Data->m_wstr)
        return nullptr;
    if (!fCopy)
        return m_Data->m_wstr;
    return CopyOrRaise(m_Data->m_wstr, SysStringLen(m_Data->m_wstr));
}

unsigned int _bstr_t::length() const noexcept { return m_Data ? SysStringLen(m_Data->m_wstr) : 0; }

void _bstr_t::Assign(BSTR s)
{
    if (m_Data && m_Data->m_wstr == s)
        return;
    *this = _bstr_t(s, true);
}

BSTR& _bstr_t::GetBSTR()
{
    if (!m_Data)
        *this = _bstr_t(static_cast<BSTR>(nullptr), false);
    m_Data->ForgetNarrow(); // the caller may replace the text
    return m_Data->m_wstr;
}

BSTR* _bstr_t::GetAddress()
{
    Attach(nullptr);
    return &m_Data->m_wstr;
}

void _bstr_t::Attach(BSTR s) { *this = _bstr_t(s, false); }

BSTR _bstr_t::Detach()
{
    if (!m_Data)
        return nullptr;
    BSTR result;
    if (m_Data->Shared()) {
        result = copy(true);
    } else {
        result = m_Data->m_wstr;
        m_Data->m_wstr = nullptr;
    }
    Release();
    return result;
}
