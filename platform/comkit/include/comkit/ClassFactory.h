// A class object that makes its instances with a function, for CoRegisterClassObject or an
// in-process server's DllGetClassObject.
#pragma once

#include <functional>

#include "ComObject.h"

namespace comkit {

using InstanceMaker = std::function<HRESULT(REFIID riid, void** ppv)>;

class ClassFactory : public ComObject<IClassFactory> {
public:
    // pcServerLocks, if given, counts LockServer calls for the server's DllCanUnloadNow.
    explicit ClassFactory(InstanceMaker maker, LONG* pcServerLocks = nullptr)
        : m_maker(std::move(maker))
        , m_pcServerLocks(pcServerLocks)
    {
    }

    STDMETHODIMP CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (pUnkOuter != nullptr)
            return CLASS_E_NOAGGREGATION;
        return m_maker(riid, ppv);
    }

    STDMETHODIMP LockServer(BOOL fLock) override
    {
        if (m_pcServerLocks != nullptr)
            fLock ? InterlockedIncrement(m_pcServerLocks) : InterlockedDecrement(m_pcServerLocks);
        return S_OK;
    }

private:
    InstanceMaker m_maker;
    LONG* m_pcServerLocks;
};

} // namespace comkit
