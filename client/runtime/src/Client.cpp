#include "qvclient/Client.h"

#include <filesystem>

#include <winenv/Paths.h>
#include <winenv/Trace.h>

#include "ClientState.h"
#include "QvInterfaces.h"
#include "components/ErrorService.h"
#include "components/MarkSource.h"
#include "components/ObjectCollection.h"
#include "components/OtlObject.h"
#include "components/PlmSystem.h"
#include "components/WaitWindow.h"
#include "temp/StaleTemporaryFiles.h"
#include <comkit/ClassFactory.h>
#include "qvclient/Errors.h"
#include "qvclient/Vault.h"

#include "qvclient/Watermark.h"

namespace qvclient {
namespace {

std::string JoinPosix(const std::string& folder, const wchar_t* pszName)
{
    return (std::filesystem::u8path(folder) / std::filesystem::u8path(winenv::ToUtf8(pszName))).u8string();
}

// The watermark names the user who takes the file out, and the day.
void ShowUserOnWatermark(ObjectModel& model, LONG userId)
{
    std::wstring name;
    const ClassInfo* pUser = model.FindClass(L"User");
    DbValue value;
    if (userId != 0 && pUser != nullptr && SUCCEEDED(model.GetProperty(*pUser, userId, L"name", value)))
        name = value.text;
    if (name.empty()) {
        SetWatermarkText(L""); // the component's own default
        return;
    }
    SetWatermarkText(MakeWatermarkText(name));
}

} // namespace

Client::Client() = default;

Client::~Client()
{
    RevokeComponents();
}

HRESULT Client::Open(const std::wstring& folder)
{
    std::error_code ec;
    const std::filesystem::path root = std::filesystem::absolute(std::filesystem::u8path(winenv::ToPosixPath(folder)), ec);
    if (ec || !std::filesystem::is_directory(root))
        return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);

    m_strOpenError.clear();
    auto state = std::make_shared<ClientState>();
    std::string conninfo;
    HRESULT hr = ReadFolderServer(folder, conninfo);
    if (FAILED(hr))
        return hr;
    const bool bOnServer = hr == S_OK;
    if (bOnServer)
        hr = OpenPostgresDatabase(conninfo, DbOpenMode::ReadOnly, state->database, &m_strOpenError);
    else
        hr = OpenSqliteDatabase(JoinPosix(root.u8string(), FolderLayout::kDatabaseFile), DbOpenMode::ReadOnly,
            state->database);
    if (FAILED(hr))
        return hr;
    state->model = std::make_unique<ObjectModel>(*state->database);
    hr = state->model->LoadClasses();
    if (FAILED(hr)) {
        m_strOpenError = state->database->GetLastErrorText();
        return hr;
    }

    if (bOnServer)
        state->vault = MakeServerVault(*state->database);
    else
        state->vault = MakeFolderVault(JoinPosix(root.u8string(), FolderLayout::kVaultFolder));
    const std::string temp = JoinPosix(root.u8string(), FolderLayout::kTempFolder);
    const std::string config = JoinPosix(root.u8string(), FolderLayout::kConfigFolder);
    std::filesystem::create_directories(std::filesystem::u8path(temp), ec);
    std::filesystem::create_directories(std::filesystem::u8path(config), ec);
    state->tempPath = winenv::FromPosixPath(temp);
    state->configPath = winenv::FromPosixPath(config);

    std::wstring login;
    if (state->model->GetSetting(L"CURRENT_USER", login) == S_OK && !login.empty()) {
        LONG userId = 0;
        if (SUCCEEDED(state->model->FindUser(login, userId)))
            state->currentUserId = userId;
    }
    m_state = std::move(state);
    ShowUserOnWatermark(*m_state->model, m_state->currentUserId);
    return S_OK;
}

bool Client::IsOpen() const
{
    return m_state != nullptr;
}

HRESULT Client::RegisterComponents()
{
    if (!m_state)
        return QV_E_NOTINITIALIZED;
    RevokeComponents();
    std::shared_ptr<ClientState> state = m_state;
    const std::pair<CLSID, comkit::InstanceMaker> classes[] = {
        {CLSID_QvOtlObject,
            [state](REFIID riid, void** ppv) { return comkit::CreateComObject<OtlObject>(riid, ppv, state, nullptr); }},
        {CLSID_StoredFile,
            [state](REFIID riid, void** ppv) { return comkit::CreateComObject<OtlObject>(riid, ppv, state, L"StoredFile"); }},
        {CLSID_QvPlmSystem, [state](REFIID riid, void** ppv) { return comkit::CreateComObject<PlmSystem>(riid, ppv, state); }},
        {CLSID_QvWaitWindow, [state](REFIID riid, void** ppv) { return comkit::CreateComObject<WaitWindow>(riid, ppv, state); }},
        {CLSID_QvObjectCollection, [](REFIID riid, void** ppv) { return comkit::CreateComObject<ObjectCollection>(riid, ppv); }},
        {CLSID_QvErrorReporter, [](REFIID riid, void** ppv) { return comkit::CreateComObject<ErrorReporter>(riid, ppv); }},
        {CLSID_QvErrorRecord, [](REFIID riid, void** ppv) { return comkit::CreateComObject<ErrorRecord>(riid, ppv); }},
        {CLSID_QvPendingErrors,
            [state](REFIID riid, void** ppv) { return comkit::CreateComObject<PendingErrors>(riid, ppv, state); }},
    };
    for (const auto& entry : classes) {
        const IClassFactoryPtr pFactory(new comkit::ClassFactory(entry.second));
        DWORD dwRegister = 0;
        const HRESULT hr =
            CoRegisterClassObject(entry.first, pFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &dwRegister);
        if (FAILED(hr)) {
            RevokeComponents();
            return hr;
        }
        m_registrations.push_back(dwRegister);
    }
    const HRESULT hrWatermark = RegisterWatermarkClass();
    if (FAILED(hrWatermark)) {
        RevokeComponents();
        return hrWatermark;
    }
    ConnectMarkSource(m_state);
    return S_OK;
}

void Client::RevokeComponents()
{
    for (DWORD dwRegister : m_registrations)
        CoRevokeClassObject(dwRegister);
    if (!m_registrations.empty()) {
        RevokeWatermarkClass();
        DisconnectMarkSource();
    }
    m_registrations.clear();
}

HRESULT Client::SetCurrentUser(const std::wstring& login)
{
    if (!m_state)
        return QV_E_NOTINITIALIZED;
    LONG userId = 0;
    const HRESULT hr = m_state->model->FindUser(login, userId);
    if (FAILED(hr))
        return hr;
    m_state->currentUserId = userId;
    ShowUserOnWatermark(*m_state->model, userId);
    return S_OK;
}

void Client::RemoveStaleTemporaryFiles() const
{
    if (m_state)
        qvclient::RemoveStaleTemporaryFiles(*m_state);
}

void Client::AddPendingError(HRESULT code, const std::wstring& location, INT flag)
{
    if (!m_state)
        return;
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->pendingErrors.push_back({code, location, flag});
}

void Client::ClearPendingErrors()
{
    if (!m_state)
        return;
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->pendingErrors.clear();
}

std::vector<PendingError> Client::GetPendingErrors() const
{
    if (!m_state)
        return {};
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->pendingErrors;
}

void Client::SetWaitObserver(WaitObserver observer)
{
    if (!m_state)
        return;
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->waitObserver = std::move(observer);
}

void Client::SetDownloadObserver(DownloadObserver observer)
{
    if (!m_state)
        return;
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->downloadObserver = std::move(observer);
}

void Client::SetDeliveryObserver(DeliveryObserver observer)
{
    if (!m_state)
        return;
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->deliveryObserver = std::move(observer);
}

std::wstring Client::GetTempPath() const
{
    return m_state ? m_state->tempPath : std::wstring();
}

std::wstring Client::GetConfigPath() const
{
    return m_state ? m_state->configPath : std::wstring();
}

HRESULT Client::GetObjectClassName(LONG objectId, std::wstring& className, const std::wstring& namedClass) const
{
    if (!IsOpen())
        return E_UNEXPECTED;
    const ClassInfo* pClass = nullptr;
    const ClassInfo* pNamed = namedClass.empty() ? nullptr : m_state->model->FindClass(namedClass);
    const HRESULT hr = m_state->model->FindObjectClass(objectId, pClass, pNamed);
    if (SUCCEEDED(hr))
        className = pClass->name;
    return hr;
}

IDatabase* Client::GetDatabase() const
{
    return m_state ? m_state->database.get() : nullptr;
}

IVault* Client::GetVault() const
{
    return m_state ? m_state->vault.get() : nullptr;
}

HRESULT OpenObject(LPCWSTR lpszClassName, LONG nObjectID, IQvOtlObject** ppObject)
{
    if (ppObject == nullptr)
        return E_POINTER;
    *ppObject = nullptr;
    IQvOtlObjectPtr pObject;
    HRESULT hr = CoCreateInstance(CLSID_QvOtlObject, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IQvOtlObject),
        reinterpret_cast<void**>(&pObject));
    if (FAILED(hr))
        return hr;
    hr = pObject->RawCreate(_bstr_t(lpszClassName != nullptr ? lpszClassName : L""));
    IObjectIdentityPtr pIdentity;
    if (SUCCEEDED(hr))
        hr = pObject->QueryInterface(__uuidof(IObjectIdentity), reinterpret_cast<void**>(&pIdentity));
    if (SUCCEEDED(hr))
        hr = pIdentity->SetObjectID(nObjectID);
    if (FAILED(hr))
        return hr;
    *ppObject = pObject.Detach();
    return S_OK;
}

} // namespace qvclient
