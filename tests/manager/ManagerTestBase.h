// What the manager tests share: a client folder, the scripted user, the trace, and running the
// manager dialog on a root object or on workflow items.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <ComRef.h>
#include <win32host/Trace.h>

#include "ManagerClientFolder.h"
#include "ScriptedUser.h"
#include "TreeReader.h"
#include "manager/DocumentSelectDlg.h"

// GoogleTest's HRESULT assertions exist on Windows only.
#define MANAGERTEST_HR_TEXT(hr) ::testing::Message() << "HRESULT 0x" << std::hex << static_cast<unsigned>(hr)
#define ASSERT_SUCCEEDED(expr)                                 \
    do {                                                       \
        const HRESULT hr_ = (expr);                            \
        ASSERT_TRUE(SUCCEEDED(hr_)) << MANAGERTEST_HR_TEXT(hr_); \
    } while (0)
#define EXPECT_SUCCEEDED(expr)                                 \
    do {                                                       \
        const HRESULT hr_ = (expr);                            \
        EXPECT_TRUE(SUCCEEDED(hr_)) << MANAGERTEST_HR_TEXT(hr_); \
    } while (0)

namespace managertest {

using namespace viztest;

inline constexpr int kPrintButton = 27003;
inline constexpr int kDownloadButton = 27004;
inline constexpr int kDwgBox = 27005;
inline constexpr int kPdfBox = 27006;
inline constexpr int kStepBox = 27008;

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

class ManagerTest : public ::testing::Test {
protected:
    void SetUp() override { StartModuleOnce(); }

    qvclient::FixtureBuilder& Fixture() { return m_folder.Fixture(); }
    ManagerClientFolder& Folder() { return m_folder; }

    // A document of the class with its light files, given as name and type.
    LONG Document(const std::wstring& className, const std::vector<std::pair<std::wstring, std::wstring>>& files)
    {
        std::vector<qvclient::LightFileSpec> specs;
        for (const auto& file : files)
            specs.push_back({file.first, file.second, "light file " + win32host::ToUtf8(file.first), ""});
        return Fixture().AddDocumentWithLightFiles(className, L"doc", L"", specs).documentId;
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
        win32host::ScopedDesktopUser scoped(user);
        dlg.DoModal();
        dlg.m_pRootObject = nullptr;
    }

    // The events of one kind seen so far.
    std::vector<win32host::TraceEvent> Events(const std::string& kind) const { return trace.OfKind(kind); }

    ScriptedUser user;
    win32host::TraceRecorder trace;
    SystemFaults* m_pFaults = nullptr;

private:
    ManagerClientFolder m_folder;
};

} // namespace managertest
