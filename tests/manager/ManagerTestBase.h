// What the manager tests share beyond the client tests': the module's framework started, and running
// the manager dialog on a root object.
#pragma once

#include <memory>

#include <ComRef.h>

#include "ClientTest.h"
#include "ClientFolder.h"
#include "SystemInterposer.h"
#include "TreeReader.h"
#include "manager/DocumentSelectDlg.h"

namespace managertest {

using namespace viztest;

// Starts the module's framework state in this program as loading the module would: the
// application object takes its title from the resources and enables control hosting.
inline void StartModuleOnce()
{
    static const bool started = [] {
        AfxWinInit(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOW);
        return AfxGetApp() != nullptr && AfxGetApp()->InitInstance();
    }();
    ASSERT_TRUE(started);
}

// A control's rectangle in the dialog's client coordinates.
inline RECT ControlRect(HWND dialog, int id)
{
    RECT rc = {};
    GetWindowRect(GetDlgItem(dialog, id), &rc);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

class ManagerTest : public ClientTest<ClientFolder> {
protected:
    void SetUp() override { StartModuleOnce(); }

    ClientFolder& Folder() { return m_folder; }
    // The client's temporary folder (Windows path).
    std::wstring TempFolder() { return m_folder.Client().GetTempPath(); }

    // Opens the client; with faults, its system object stands behind a SystemInterposer.
    HRESULT Open()
    {
        const HRESULT hr = m_folder.Open(winenv::FromUtf8(MANAGERTEST_VIEWER_DLL));
        if (FAILED(hr) || m_pFaults == nullptr)
            return hr;
        m_interposer = std::make_unique<SystemInterposer>(m_folder.Client(), *m_pFaults);
        return m_interposer->Registered() ? S_OK : E_FAIL;
    }

    LONG Document(const std::wstring& className, const LightFiles& files)
    {
        return AddDocument(className, L"doc", files).documentId;
    }

    // Runs the manager modally on the object; the user's script acts while it is up.
    void RunOn(const wchar_t* className, LONG objectId, CDocumentSelectDlg* pDlg = nullptr)
    {
        ASSERT_SUCCEEDED(Open());
        IQvOtlObjectPtr object = m_folder.Object(className, objectId);
        ASSERT_TRUE(object != nullptr);
        COtlObjectRef root(object);
        CDocumentSelectDlg local;
        CDocumentSelectDlg& dlg = pDlg ? *pDlg : local;
        dlg.m_pRootObject = &root;
        AsUser([&] { return dlg.DoModal(); });
        dlg.m_pRootObject = nullptr;
    }

    SystemFaults* m_pFaults = nullptr;
    std::unique_ptr<SystemInterposer> m_interposer;
};

} // namespace managertest
