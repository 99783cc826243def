#include "ClassRegistration.h"

#include <comkit/ClassFactory.h>

#include <stdexcept>

namespace viztest {

ClassRegistration::ClassRegistration(REFCLSID clsid, CreateFunction create)
    : m_factory(new comkit::ClassFactory(std::move(create)))
    , m_cookie(0)
{
    m_factory->AddRef();
    HRESULT hr = CoRegisterClassObject(clsid, m_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie);
    if (FAILED(hr))
        throw std::runtime_error("CoRegisterClassObject failed");
}

ClassRegistration::~ClassRegistration()
{
    CoRevokeClassObject(m_cookie);
    m_factory->Release();
}

} // namespace viztest
