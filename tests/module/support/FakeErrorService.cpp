#include "FakeErrorService.h"

#include <comdef.h>

namespace moduletest {
namespace {

class FakeErrorRecord : public FakeUnknown<IQvErrorRecord> {
public:
    STDMETHODIMP GetCode(HRESULT* phrCode) override
    {
        *phrCode = record.code;
        return S_OK;
    }
    STDMETHODIMP SetCode(HRESULT hrCode) override
    {
        record.code = hrCode;
        return S_OK;
    }
    STDMETHODIMP SetFlag(INT nFlag) override
    {
        record.flag = nFlag;
        return S_OK;
    }
    STDMETHODIMP SetLocation(const wchar_t* lpszLocation) override
    {
        record.location = lpszLocation;
        return S_OK;
    }

    ShownRecord record{0, L"", -1};
};

class FakeErrorList : public FakeUnknown<IQvErrorList> {
public:
    STDMETHODIMP SetIconStyle(INT nStyle) override
    {
        content.iconStyle = nStyle;
        return S_OK;
    }
    STDMETHODIMP AddFromVariant(VARIANT* pvarErrors) override
    {
        IQvObjectCollectionPtr collection;
        HRESULT hr = CoCreateInstance(CLSID_QvObjectCollection, nullptr, CLSCTX_ALL, __uuidof(IQvObjectCollection),
            reinterpret_cast<void**>(&collection));
        if (FAILED(hr))
            return hr;
        collection->SetVariant(pvarErrors);
        ULONG count = 0;
        collection->GetCount(&count);
        for (ULONG i = 0; i < count; ++i) {
            IUnknownPtr item;
            collection->GetItem(i, &item);
            IQvErrorRecordPtr record(item);
            HRESULT code = 0;
            record->GetCode(&code);
            content.pending.push_back(code);
        }
        return S_OK;
    }
    STDMETHODIMP AddRecord(IQvErrorRecord* pRecord) override
    {
        if (pRecord == nullptr) {
            content.records.push_back({0, L"(null record)", -1});
            return S_OK;
        }
        content.records.push_back(static_cast<FakeErrorRecord*>(pRecord)->record);
        return S_OK;
    }
    STDMETHODIMP Clear() override
    {
        content = ShownErrors();
        return S_OK;
    }

    ShownErrors content;
};

class FakeErrorReporter : public FakeUnknown<IQvErrorReporter> {
public:
    explicit FakeErrorReporter(FakeErrorService& service) : m_service(service) {}
    ~FakeErrorReporter() override
    {
        if (m_list)
            m_list->Release();
    }

    STDMETHODIMP ShowErrors(INT* pnResult) override
    {
        m_service.shown.push_back(m_list ? m_list->content : ShownErrors());
        *pnResult = 1;
        return S_OK;
    }
    STDMETHODIMP GetErrorList(IQvErrorList** ppList) override
    {
        *ppList = m_list;
        if (m_list)
            m_list->AddRef();
        return S_OK;
    }
    STDMETHODIMP CreateErrorList(IQvErrorList** ppList) override
    {
        if (m_list)
            m_list->Release();
        m_list = new FakeErrorList;
        *ppList = m_list;
        m_list->AddRef();
        return S_OK;
    }

private:
    FakeErrorService& m_service;
    FakeErrorList* m_list = nullptr;
};

class FakePendingErrors : public FakeUnknown<IQvPendingErrors> {
public:
    explicit FakePendingErrors(FakeErrorService& service) : m_service(service) {}

    STDMETHODIMP GetErrors(VARIANT* pvarErrors) override
    {
        VariantInit(pvarErrors);
        if (m_service.pending.empty())
            return S_OK;
        std::vector<IUnknown*> records;
        for (HRESULT code : m_service.pending) {
            FakeErrorRecord* record = new FakeErrorRecord;
            record->SetCode(code);
            records.push_back(static_cast<IQvErrorRecord*>(record));
        }
        *pvarErrors = MakeUnknownArray(records);
        for (IUnknown* p : records)
            p->Release();
        return S_OK;
    }
    STDMETHODIMP ClearErrors() override
    {
        ++m_service.clearErrorsCalls;
        m_service.pending.clear();
        return S_OK;
    }

private:
    FakeErrorService& m_service;
};

class FakeObjectCollection : public FakeUnknown<IQvObjectCollection> {
public:
    explicit FakeObjectCollection(FakeObjectCollectionClass* owner) : m_owner(owner) {}
    ~FakeObjectCollection() override { Reset(); }

    STDMETHODIMP SetVariant(VARIANT* pvarItems) override
    {
        if (m_owner != nullptr && FAILED(m_owner->setVariant))
            return m_owner->setVariant;
        Reset();
        if (pvarItems == nullptr || pvarItems->vt == VT_EMPTY)
            return S_OK;
        if (pvarItems->vt != (VT_ARRAY | VT_UNKNOWN))
            return DISP_E_TYPEMISMATCH;
        LONG lower = 0, upper = -1;
        SafeArrayGetLBound(pvarItems->parray, 1, &lower);
        SafeArrayGetUBound(pvarItems->parray, 1, &upper);
        for (LONG i = lower; i <= upper; ++i) {
            IUnknown* item = nullptr;
            SafeArrayGetElement(pvarItems->parray, &i, &item);
            m_items.push_back(item);
        }
        return S_OK;
    }
    STDMETHODIMP GetCount(ULONG* pnCount) override
    {
        *pnCount = static_cast<ULONG>(m_items.size());
        return S_OK;
    }
    STDMETHODIMP GetItem(ULONG nIndex, IUnknown** ppItem) override
    {
        *ppItem = nullptr;
        if (m_owner != nullptr && static_cast<LONG>(nIndex) == m_owner->getItemFailsAt)
            return m_owner->getItemFailure;
        if (nIndex >= m_items.size())
            return DISP_E_BADINDEX;
        *ppItem = m_items[nIndex];
        if (*ppItem)
            (*ppItem)->AddRef();
        return S_OK;
    }

private:
    void Reset()
    {
        for (IUnknown* p : m_items)
            if (p)
                p->Release();
        m_items.clear();
    }
    FakeObjectCollectionClass* m_owner;
    std::vector<IUnknown*> m_items;
};

} // namespace

VARIANT MakeUnknownArray(const std::vector<IUnknown*>& items)
{
    VARIANT var;
    VariantInit(&var);
    SAFEARRAY* psa = SafeArrayCreateVector(VT_UNKNOWN, 0, static_cast<ULONG>(items.size()));
    for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i)
        SafeArrayPutElement(psa, &i, items[i]);
    var.vt = VT_ARRAY | VT_UNKNOWN;
    var.parray = psa;
    return var;
}

// A class whose instances are made by `make`, the creation reference dropped after the query.
template <class T, class Make>
std::unique_ptr<ClassRegistration> Register(REFCLSID clsid, Make make)
{
    return std::make_unique<ClassRegistration>(clsid, [make](REFIID iid, void** ppv) {
        T* object = make();
        const HRESULT hr = object->QueryInterface(iid, ppv);
        object->Release();
        return hr;
    });
}

FakeErrorService::FakeErrorService()
{
    m_registrations.push_back(
        Register<FakeErrorReporter>(CLSID_QvErrorReporter, [this] { return new FakeErrorReporter(*this); }));
    m_registrations.push_back(Register<FakeErrorRecord>(CLSID_QvErrorRecord, [] { return new FakeErrorRecord; }));
    m_registrations.push_back(
        Register<FakePendingErrors>(CLSID_QvPendingErrors, [this] { return new FakePendingErrors(*this); }));
    m_registrations.push_back(Register<FakeObjectCollection>(
        CLSID_QvObjectCollection, [] { return new FakeObjectCollection(nullptr); }));
}

FakeErrorService::~FakeErrorService() = default;

FakeObjectCollectionClass::FakeObjectCollectionClass(HRESULT setVariantResult)
    : setVariant(setVariantResult)
{
    m_registration =
        Register<FakeObjectCollection>(CLSID_QvObjectCollection, [this] { return new FakeObjectCollection(this); });
}

FakeObjectCollectionClass::~FakeObjectCollectionClass() = default;

} // namespace moduletest
