// A class object that makes instances with a function; registered with CoRegisterClassObject.
#pragma once

#include <functional>

#include "ComObject.h"

namespace qvclient {

using InstanceMaker = std::function<HRESULT(REFIID riid, void** ppv)>;

class ClassFactory : public ComObject<IClassFactory> {
public:
    explicit ClassFactory(InstanceMaker maker) : m_maker(std::move(maker)) {}

    STDMETHODIMP CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (pUnkOuter != nullptr)
            return CLASS_E_NOAGGREGATION;
        return m_maker(riid, ppv);
    }

    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    InstanceMaker m_maker;
};

} // namespace qvclient
