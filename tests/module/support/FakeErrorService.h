// The client's error service as fakes: reporter with its list, error records, pending errors and
// the object collection that reads a VARIANT of items. What is shown is recorded.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QvInterfaces.h>

#include "ComFake.h"

namespace moduletest {

struct ShownRecord {
    HRESULT code;
    std::wstring location;
    int flag;
};

// One ShowErrors: what the list held then.
struct ShownErrors {
    std::vector<ShownRecord> records;
    std::vector<HRESULT> pending; // added with AddFromVariant
    int iconStyle = 0;
};

class FakeErrorService {
public:
    FakeErrorService();
    ~FakeErrorService();

    std::vector<ShownErrors> shown;
    // The client's pending errors, oldest first; GetErrors gives VT_EMPTY when there is none.
    std::vector<HRESULT> pending;
    int clearErrorsCalls = 0;

private:
    std::vector<std::unique_ptr<ClassRegistration>> m_registrations;
};

// A VT_ARRAY | VT_UNKNOWN VARIANT of the objects; the caller clears it.
VARIANT MakeUnknownArray(const std::vector<IUnknown*>& items);

// The collection component alone (also part of FakeErrorService): reads VT_ARRAY | VT_UNKNOWN.
class FakeObjectCollectionClass {
public:
    explicit FakeObjectCollectionClass(HRESULT setVariant = S_OK);
    ~FakeObjectCollectionClass();

    HRESULT setVariant;
    int getItemFailsAt = -1;
    HRESULT getItemFailure = E_FAIL;

private:
    std::unique_ptr<ClassRegistration> m_registration;
};

} // namespace moduletest
