// What the manager tests share beyond the client tests': the module's framework started, and running
// the manager dialog on a root object.
#pragma once

#include <ComRef.h>

#include "ClientTest.h"
#include "ManagerClientFolder.h"
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

class ManagerTest : public ClientTest<ManagerClientFolder> {
protected:
    void SetUp() override { StartModuleOnce(); }

    ManagerClientFolder& Folder() { return m_folder; }

    LONG Document(const std::wstring& className, const LightFiles& files)
    {
        return AddDocument(className, L"doc", files).documentId;
    }

    // Runs the manager modally on the object; the user's script acts while it is up.
    void RunOn(const wchar_t* className, LONG objectId, CDocumentSelectDlg* pDlg = nullptr)
    {
        ASSERT_SUCCEEDED(m_folder.Open(m_pFaults));
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
};

} // namespace managertest
