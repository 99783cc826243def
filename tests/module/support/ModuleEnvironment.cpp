// The test program hosts the module's code: COM is started on the test thread, as the client does
// on its UI thread, and the module is attached as the loader attaches the DLL (its application
// object initialised, its resources found in this program).
#include <gtest/gtest.h>

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved);

namespace {

class ModuleEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_TRUE(DllMain(GetModuleHandleW(nullptr), DLL_PROCESS_ATTACH, nullptr));
    }
    void TearDown() override
    {
        DllMain(GetModuleHandleW(nullptr), DLL_PROCESS_DETACH, nullptr);
        CoUninitialize();
    }
};

const testing::Environment* const s_moduleEnvironment = testing::AddGlobalTestEnvironment(new ModuleEnvironment);

} // namespace
