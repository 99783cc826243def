#include "FakePlm.h"

#include <comdef.h>

#include "FakeObjects.h"

namespace moduletest {
namespace {

class FakeQuery : public FakeUnknown<ITransactionQuery> {
public:
    explicit FakeQuery(FakeDatabase& db) : m_db(db) {}

    STDMETHODIMP SetSqlText(BSTR bstrSql) override
    {
        m_sql = bstrSql != nullptr ? bstrSql : L"";
        m_db.sql.push_back(m_sql);
        return S_OK;
    }
    STDMETHODIMP Execute() override
    {
        m_rows = m_db.rowsFor ? m_db.rowsFor(m_sql) : FakeRows();
        m_row = 0;
        return m_db.executeResult;
    }
    STDMETHODIMP IsEof(VARIANT_BOOL* pbEof) override
    {
        ++m_db.isEofCalls;
        if (m_db.isEofCalls == m_db.throwOnIsEofCall)
            _com_issue_error(E_UNEXPECTED);
        if (m_db.isEofCalls == m_db.failIsEofCall)
            return E_FAIL;
        *pbEof = m_row < m_rows.size() ? VARIANT_FALSE : VARIANT_TRUE;
        return m_db.isEofSuccess;
    }
    STDMETHODIMP MoveNext() override
    {
        if (++m_db.moveNextCalls == m_db.failMoveNextCall)
            return E_FAIL;
        ++m_row;
        return S_OK;
    }
    STDMETHODIMP GetFieldValue(BSTR bstrColumn, VARIANT* pvarValue) override
    {
        if (++m_db.getFieldCalls == m_db.throwOnGetFieldCall)
            _com_issue_error(E_UNEXPECTED);
        if (m_row >= m_rows.size())
            return E_FAIL;
        auto it = m_rows[m_row].find(bstrColumn);
        if (it == m_rows[m_row].end())
            return DISP_E_UNKNOWNNAME;
        VariantClear(pvarValue);
        pvarValue->vt = VT_BSTR;
        pvarValue->bstrVal = SysAllocString(it->second.c_str());
        return S_OK;
    }

private:
    FakeDatabase& m_db;
    std::wstring m_sql;
    FakeRows m_rows;
    size_t m_row = 0;
};

class FakeTransaction : public FakeUnknown<IQvCslTransaction> {
public:
    FakeTransaction(FakeDatabase& db, FakeSystemConfig& config) : m_db(db), m_config(config) {}

    STDMETHODIMP CreateQuery(ITransactionQuery** ppQuery) override
    {
        *ppQuery = nullptr;
        if (FAILED(m_config.createQuery))
            return m_config.createQuery;
        if (!m_config.nullQuery)
            *ppQuery = new FakeQuery(m_db);
        return m_config.createQuery;
    }

private:
    FakeDatabase& m_db;
    FakeSystemConfig& m_config;
};

class FakeSystem : public FakeUnknown<IQvPlmSystem> {
public:
    FakeSystem(FakeDatabase& db, FakeSystemConfig& config) : m_db(db), m_config(config) {}

    STDMETHODIMP GetCurTransaction(IQvCslTransaction** ppTransaction) override
    {
        ++m_config.transactions;
        *ppTransaction = nullptr;
        if (m_config.transactions == m_config.failTransactionCall)
            return E_ACCESSDENIED;
        *ppTransaction = new FakeTransaction(m_db, m_config);
        return m_config.getTransaction;
    }
    STDMETHODIMP GetGlobalParam(BSTR, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP GetSystemTempPath(BSTR* pbstrPath) override
    {
        *pbstrPath = SysAllocString(m_config.tempPath.c_str());
        return S_OK;
    }
    STDMETHODIMP GetSystemConfigPath(BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP CheckObjectBehaviorMethod(IQvOtlObject*, BSTR bstrBehavior, BSTR bstrMethod, SHORT* pbAllowed) override
    {
        ++m_config.rightChecks;
        m_config.rightCheckArgs.push_back(std::wstring(bstrBehavior) + L"/" + bstrMethod);
        *pbAllowed = m_config.allowed;
        return m_config.checkRight;
    }
    STDMETHODIMP IsDescendentOrSelfClass(BSTR bstrBaseClass, BSTR bstrClass, INT* pbResult) override
    {
        *pbResult = std::wstring(bstrBaseClass) == bstrClass;
        return S_OK;
    }

private:
    FakeDatabase& m_db;
    FakeSystemConfig& m_config;
};

} // namespace

FakePlmSystem::FakePlmSystem()
{
    m_registration = std::make_unique<ClassRegistration>(CLSID_QvPlmSystem, [this](REFIID iid, void** ppv) {
        if (FAILED(config.creation))
            return config.creation;
        FakeSystem* system = new FakeSystem(db, config);
        HRESULT hr = system->QueryInterface(iid, ppv);
        system->Release();
        return hr;
    });
}

FakePlmSystem::~FakePlmSystem() = default;

FakeRef<FakeOtlObject> MakeDocument(const std::wstring& className, LONG id)
{
    FakeRef<FakeOtlObject> doc = MakeFake<FakeOtlObject>();
    doc->className = className;
    doc->id = id;
    return doc;
}

} // namespace moduletest
