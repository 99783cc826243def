// Compiler COM support: the interface smart pointer.
//
// It follows the rules COM code relies on: made or assigned from a pointer of another interface
// type it queries that pointer; a query failing with E_NOINTERFACE leaves it empty, any other
// failure raises _com_error with that status; calling through an empty pointer (operator->,
// operator*, AddRef, Release) raises E_POINTER; operator& releases before it hands out the address.
#pragma once

#include <memory>

#include "comutil.h"
#include "objbase.h"

template <typename _Interface, const IID* _IID>
class _com_IIID {
public:
    typedef _Interface Interface;
    static _Interface* GetInterfacePtr() noexcept { return nullptr; }
    static const IID& GetIID() noexcept { return *_IID; }
};

template <typename _IIID>
class _com_ptr_t {
public:
    typedef _IIID ThisIIID;
    typedef typename _IIID::Interface Interface;

    static const IID& GetIID() noexcept { return ThisIIID::GetIID(); }

    // ---- construction ----
    _com_ptr_t() noexcept : m_pInterface(nullptr) {}
    _com_ptr_t(Interface* pInterface) noexcept : m_pInterface(pInterface) { _AddRef(); }
    _com_ptr_t(Interface* pInterface, bool fAddRef) noexcept : m_pInterface(pInterface)
    {
        if (fAddRef)
            _AddRef();
    }
    _com_ptr_t(const _com_ptr_t& cp) noexcept : m_pInterface(cp.m_pInterface) { _AddRef(); }
    _com_ptr_t(_com_ptr_t&& cp) noexcept : m_pInterface(cp.m_pInterface) { cp.m_pInterface = nullptr; }

    // From another interface: a query.
    template <typename _InterfaceType>
    _com_ptr_t(_InterfaceType* p) : m_pInterface(nullptr)
    {
        _RaiseUnlessNoInterface(_QueryInterface(p));
    }
    template <typename _OtherIID>
    _com_ptr_t(const _com_ptr_t<_OtherIID>& p) : m_pInterface(nullptr)
    {
        _RaiseUnlessNoInterface(_QueryInterface(p.GetInterfacePtr()));
    }
    // From the IUnknown or IDispatch a VARIANT holds (converted to VT_UNKNOWN otherwise).
    _com_ptr_t(const _variant_t& varSrc) : m_pInterface(nullptr)
    {
        _RaiseUnlessNoInterface(_QueryStdInterfaces(varSrc));
    }
    // A new object of the class.
    explicit _com_ptr_t(const CLSID& clsid, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL)
        : m_pInterface(nullptr)
    {
        _RaiseUnlessNoInterface(CreateInstance(clsid, pOuter, dwClsContext));
    }

    ~_com_ptr_t() noexcept { _Release(); }

    // ---- assignment ----
    _com_ptr_t& operator=(Interface* pInterface) noexcept
    {
        if (m_pInterface != pInterface) {
            Interface* pOld = m_pInterface;
            m_pInterface = pInterface;
            _AddRef();
            if (pOld != nullptr)
                pOld->Release();
        }
        return *this;
    }
    _com_ptr_t& operator=(const _com_ptr_t& cp) noexcept { return operator=(cp.m_pInterface); }
    _com_ptr_t& operator=(_com_ptr_t&& cp) noexcept
    {
        if (this != std::addressof(cp)) { // operator& is the interface's address
            _Release();
            m_pInterface = cp.m_pInterface;
            cp.m_pInterface = nullptr;
        }
        return *this;
    }
    template <typename _InterfaceType>
    _com_ptr_t& operator=(_InterfaceType* p)
    {
        _RaiseUnlessNoInterface(_QueryInterface(p));
        return *this;
    }
    template <typename _OtherIID>
    _com_ptr_t& operator=(const _com_ptr_t<_OtherIID>& p)
    {
        _RaiseUnlessNoInterface(_QueryInterface(p.GetInterfacePtr()));
        return *this;
    }
    _com_ptr_t& operator=(const _variant_t& varSrc)
    {
        _RaiseUnlessNoInterface(_QueryStdInterfaces(varSrc));
        return *this;
    }

    // ---- ownership ----
    Interface* Detach() noexcept
    {
        Interface* const old = m_pInterface;
        m_pInterface = nullptr;
        return old;
    }
    void AddRef()
    {
        if (m_pInterface == nullptr)
            _com_issue_error(E_POINTER);
        m_pInterface->AddRef();
    }

    // ---- access ----
    Interface* GetInterfacePtr() const noexcept { return m_pInterface; }
    Interface*& GetInterfacePtr() noexcept { return m_pInterface; }
    operator Interface*() const noexcept { return m_pInterface; }
    operator bool() const noexcept { return m_pInterface != nullptr; }
    bool operator!() const noexcept { return m_pInterface == nullptr; }
    Interface& operator*() const
    {
        if (m_pInterface == nullptr)
            _com_issue_error(E_POINTER);
        return *m_pInterface;
    }
    Interface* operator->() const
    {
        if (m_pInterface == nullptr)
            _com_issue_error(E_POINTER);
        return m_pInterface;
    }
    // Releases the current interface, then gives the address to receive a new one.
    Interface** operator&() noexcept
    {
        _Release();
        m_pInterface = nullptr;
        return &m_pInterface;
    }

    // ---- operations ----
    // With a local or remote server in the context, the object is created as IUnknown, put into
    // the running state with OleRun and then queried, as compiler COM support does.
    HRESULT CreateInstance(const CLSID& rclsid, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL) noexcept
    {
        _Release();
        m_pInterface = nullptr;
        HRESULT hr;
        if (dwClsContext & (CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)) {
            IUnknown* pUnknown = nullptr;
            hr = CoCreateInstance(rclsid, pOuter, dwClsContext, IID_IUnknown, reinterpret_cast<void**>(&pUnknown));
            if (SUCCEEDED(hr)) {
                hr = OleRun(pUnknown);
                if (SUCCEEDED(hr))
                    hr = pUnknown->QueryInterface(GetIID(), reinterpret_cast<void**>(&m_pInterface));
                pUnknown->Release();
            }
        } else {
            hr = CoCreateInstance(rclsid, pOuter, dwClsContext, GetIID(), reinterpret_cast<void**>(&m_pInterface));
        }
        if (FAILED(hr))
            m_pInterface = nullptr;
        return hr;
    }

    template <typename _InterfaceType>
    HRESULT QueryInterface(const IID& iid, _InterfaceType*& p) noexcept
    {
        if (m_pInterface == nullptr)
            return E_POINTER;
        return m_pInterface->QueryInterface(iid, reinterpret_cast<void**>(&p));
    }
    template <typename _InterfaceType>
    HRESULT QueryInterface(const IID& iid, _InterfaceType** p) noexcept
    {
        return QueryInterface(iid, *p);
    }

    // ---- comparison: by object identity (IUnknown) for other interface types ----
    bool operator==(Interface* p) const noexcept { return m_pInterface == p; }
    bool operator!=(Interface* p) const noexcept { return m_pInterface != p; }
    bool operator==(const _com_ptr_t& p) const noexcept { return m_pInterface == p.m_pInterface; }
    bool operator!=(const _com_ptr_t& p) const noexcept { return m_pInterface != p.m_pInterface; }
    template <typename _InterfaceType>
    bool operator==(_InterfaceType* p) const
    {
        return _CompareUnknown(p) == 0;
    }
    template <typename _InterfaceType>
    bool operator!=(_InterfaceType* p) const
    {
        return _CompareUnknown(p) != 0;
    }
    template <typename _OtherIID>
    bool operator==(const _com_ptr_t<_OtherIID>& p) const
    {
        return _CompareUnknown(p.GetInterfacePtr()) == 0;
    }
    template <typename _OtherIID>
    bool operator!=(const _com_ptr_t<_OtherIID>& p) const
    {
        return _CompareUnknown(p.GetInterfacePtr()) != 0;
    }

private:
    void _AddRef() noexcept
    {
        if (m_pInterface != nullptr)
            m_pInterface->AddRef();
    }
    void _Release() noexcept
    {
        if (m_pInterface != nullptr)
            m_pInterface->Release();
    }
    static void _RaiseUnlessNoInterface(HRESULT hr)
    {
        if (FAILED(hr) && hr != E_NOINTERFACE)
            _com_issue_error(hr);
    }
    // A null source leaves the pointer empty with E_NOINTERFACE.
    template <typename _InterfacePtr>
    HRESULT _QueryInterface(_InterfacePtr p) noexcept
    {
        HRESULT hr;
        if (p != nullptr) {
            Interface* pInterface = nullptr;
            hr = p->QueryInterface(GetIID(), reinterpret_cast<void**>(&pInterface));
            _Release();
            m_pInterface = SUCCEEDED(hr) ? pInterface : nullptr;
        } else {
            operator=(static_cast<Interface*>(nullptr));
            hr = E_NOINTERFACE;
        }
        return hr;
    }
    HRESULT _QueryStdInterfaces(const _variant_t& varSrc) noexcept
    {
        if (V_VT(&varSrc) == VT_DISPATCH)
            return _QueryInterface(V_DISPATCH(&varSrc));
        if (V_VT(&varSrc) == VT_UNKNOWN)
            return _QueryInterface(V_UNKNOWN(&varSrc));
        VARIANT varDest;
        VariantInit(&varDest);
        HRESULT hr = VariantChangeType(&varDest, const_cast<_variant_t*>(&varSrc), 0, VT_UNKNOWN);
        if (SUCCEEDED(hr))
            hr = _QueryInterface(V_UNKNOWN(&varDest));
        VariantClear(&varDest);
        return hr;
    }
    template <typename _InterfacePtr>
    int _CompareUnknown(_InterfacePtr p) const
    {
        IUnknown* pu1 = nullptr;
        IUnknown* pu2 = nullptr;
        if (m_pInterface != nullptr) {
            HRESULT hr = m_pInterface->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pu1));
            if (FAILED(hr))
                _com_issue_error(hr);
            pu1->Release();
        }
        if (p != nullptr) {
            HRESULT hr = p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pu2));
            if (FAILED(hr))
                _com_issue_error(hr);
            pu2->Release();
        }
        return pu1 == pu2 ? 0 : (pu1 < pu2 ? -1 : 1);
    }

    Interface* m_pInterface;
};

#define _COM_SMARTPTR_TYPEDEF(Interface, IID) typedef _com_ptr_t<_com_IIID<Interface, &IID>> Interface##Ptr
