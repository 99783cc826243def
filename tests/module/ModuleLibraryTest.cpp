// The DLL itself, loaded as the client loads it: one entry under two names, and SignPdf callable
// by name.
#include <windows.h>

#include <gtest/gtest.h>

#include <winenv/Paths.h>


namespace {

typedef LONG(WINAPI* PFN_SIGNPDF)(ULONG, LPCWSTR, LONG, LPCWSTR);

TEST(ModuleLibrary, LoadsAndExportsItsCommandsByName)
{
    HMODULE hModule = LoadLibraryW(winenv::FromPosixPath(MODULETEST_DLL_PATH).c_str());
    ASSERT_NE(nullptr, hModule);
    FARPROC pfnOutput = GetProcAddress(hModule, "OutputLightFile");
    EXPECT_NE(nullptr, pfnOutput);
    EXPECT_EQ(pfnOutput, GetProcAddress(hModule, "PrdTreeOutputLightFile"));
    for (const char* name : {"OnDocListDownLoadLightFile", "OnDocListViewDwgFile", "OnDocListViewLightFile",
             "SignPdf", "WfOutputLightFile"})
        EXPECT_NE(nullptr, GetProcAddress(hModule, name)) << name;
    EXPECT_EQ(nullptr, GetProcAddress(hModule, "RetrieveLightFile"));

    // No client: the signatures cannot be read.
    PFN_SIGNPDF pfnSignPdf = reinterpret_cast<PFN_SIGNPDF>(GetProcAddress(hModule, "SignPdf"));
    ASSERT_NE(nullptr, pfnSignPdf);
    EXPECT_EQ(E_POINTER, pfnSignPdf(1, L"Document", 2, L"C:\\none.pdf"));
    FreeLibrary(hModule);
}

} // namespace
