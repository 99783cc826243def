// A class object registered under a CLSID for the length of a scope, so that a fake answers
// CoCreateInstance in place of the client's component.
#pragma once

#include <functional>

#include <objbase.h>

namespace viztest {

// How a registered class answers CreateInstance.
using CreateFunction = std::function<HRESULT(REFIID iid, void** ppv)>;

class ClassRegistration {
public:
    ClassRegistration(REFCLSID clsid, CreateFunction create);
    ~ClassRegistration();
    ClassRegistration(const ClassRegistration&) = delete;
    ClassRegistration& operator=(const ClassRegistration&) = delete;

private:
    IClassFactory* m_factory;
    DWORD m_cookie;
};

} // namespace viztest
