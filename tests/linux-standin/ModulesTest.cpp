// LoadLibraryW and its kin: the search order, reference counting and DllMain.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <windows.h>

#include "ChildProcess.h"
#include "ScopedEnvironment.h"
#include "ScratchFolder.h"
#include "winenv/Modules.h"
#include "winenv/Paths.h"
#include "winenv/Trace.h"

namespace {

typedef int(WINAPI* AnswerProc)();

using viztest::ProgramFolder;

// Runs a test from another current directory and restores it.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& folder) : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~CurrentDirectory() { std::filesystem::current_path(m_previous); }

private:
    std::filesystem::path m_previous;
};

std::vector<std::string> DllMainReasons(const winenv::TraceRecorder& recorder)
{
    std::vector<std::string> reasons;
    for (const auto& event : recorder.OfKind("dllmain"))
        reasons.push_back(event.Get("reason"));
    return reasons;
}

// The program's folder first, then the system folder, the current directory and PATH; file names
// match without case and ".dll" is added to a name without extension.
TEST(LoadLibrary, SearchesTheProgramsFolderTheSystemFolderTheCurrentDirectoryThenPath)
{
    viztest::ScratchFolder current, onPath;
    std::filesystem::copy_file(ProgramFolder() + "/TestPlugin.dll", current.Posix() + "/CwdPlugin.dll");
    std::filesystem::copy_file(ProgramFolder() + "/TestPlugin.dll", onPath.Posix() + "/PathPlugin.dll");
    viztest::WriteFile(current.Windows(L"libm.so.6"), "not a library");
    viztest::WriteFile(current.Windows(L"TestPlugin.dll"), "not a library");
    wchar_t system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    {
        ScopedEnvironment path("PATH", "/nonexistent:" + onPath.Posix());
        CurrentDirectory cwd(current.Posix());
        const struct {
            const wchar_t* name;
            std::string folder;
        } cases[] = {
            {L"testplugin.DLL", ProgramFolder()},
            {L"CWDPLUGIN", current.Posix()},
            {L"libm.so.6", winenv::ToPosixPath(system)},
            {L"PathPlugin", onPath.Posix()},
        };
        for (const auto& c : cases) {
            winenv::TraceRecorder recorder;
            HMODULE module = LoadLibraryW(c.name);
            ASSERT_NE(module, nullptr) << winenv::ToUtf8(c.name);
            EXPECT_EQ(recorder.OfKind("load_library").at(0).Get("result"), "ok");
            const std::string path = recorder.OfKind("load_library").at(0).Get("path");
            EXPECT_EQ(c.folder, path.substr(0, path.rfind('/'))) << winenv::ToUtf8(c.name);
            FreeLibrary(module);
        }
    }
    EXPECT_EQ(LoadLibraryW(L"PathPlugin.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(LoadLibrary, ANameWithAFolderIsUsedAsItIsAndALoadedOneIsFoundByItsFileName)
{
    viztest::ScratchFolder elsewhere; // in no folder of the search
    std::filesystem::copy_file(ProgramFolder() + "/TestPlugin.dll", elsewhere.Posix() + "/Loaded.dll");
    HMODULE byPath = LoadLibraryW(elsewhere.Windows(L"Loaded.dll").c_str());
    ASSERT_NE(byPath, nullptr);
    EXPECT_EQ(byPath, LoadLibraryW(L"LOADED.DLL"));
    FreeLibrary(byPath);
    FreeLibrary(byPath);
    EXPECT_EQ(LoadLibraryW(L"LOADED.DLL"), nullptr) << "once freed, the name is searched for again";

    const std::wstring full = winenv::FromPosixPath(ProgramFolder()) + L"\\TestPlugin.dll";
    HMODULE module = LoadLibraryW(full.c_str());
    EXPECT_NE(module, nullptr);
    FreeLibrary(module);
    viztest::ScratchFolder empty;
    winenv::TraceRecorder recorder;
    EXPECT_EQ(LoadLibraryW(empty.Windows(L"TestPlugin.dll").c_str()), nullptr);
    EXPECT_EQ(recorder.OfKind("load_library").at(0).Get("result"), "not found");
}

TEST(LoadLibrary, LoadsOnceAndCountsReferencesAroundDllMain)
{
    winenv::TraceRecorder recorder;
    HMODULE first = LoadLibraryW(L"TestPlugin.dll");
    HMODULE second = LoadLibraryW(L"TestPlugin.dll");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(reinterpret_cast<AnswerProc>(GetProcAddress(first, "PluginAnswer"))(), 42);
    EXPECT_EQ(DllMainReasons(recorder), std::vector<std::string>{"1"}); // attached once
    EXPECT_EQ(recorder.OfKind("dllmain")[0].Get("instance"), std::to_string(reinterpret_cast<UINT_PTR>(first)));
    EXPECT_EQ(GetModuleHandleW(L"testplugin.dll"), first); // names ignore case; no reference taken
    FreeLibrary(first);
    EXPECT_EQ(DllMainReasons(recorder).size(), 1u);
    FreeLibrary(second);
    EXPECT_EQ(DllMainReasons(recorder), (std::vector<std::string>{"1", "0"})); // detached with the last reference
}

TEST(LoadLibrary, FailsWhenDllMainRefusesToAttach)
{
    winenv::TraceRecorder recorder;
    {
        ScopedEnvironment refuse("TEST_PLUGIN_REFUSE", "1");
        EXPECT_EQ(LoadLibraryW(L"TestPlugin.dll"), nullptr);
    }
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
    EXPECT_EQ(recorder.OfKind("load_library").at(0).Get("result"), "init failed");
    HMODULE module = LoadLibraryW(L"TestPlugin.dll");
    EXPECT_NE(module, nullptr);
    FreeLibrary(module);
}

TEST(LoadLibrary, MissingExportAndModuleFileName)
{
    HMODULE module = LoadLibraryW(L"TestPlugin.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(GetProcAddress(module, "NoSuchExport"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    EXPECT_EQ(winenv::ToPosixPath(path), ProgramFolder() + "/TestPlugin.dll");
    EXPECT_EQ(length, std::wcslen(path));
    wchar_t small[4];
    EXPECT_EQ(GetModuleFileNameW(module, small, 4), 4u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    FreeLibrary(module);
}

TEST(InprocServer, CoCreateInstanceLoadsTheRegisteredDll)
{
    const CLSID clsid = win32_guid::parse("0D1B4C6E-3333-4A5B-9C8D-000000000001");
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    IUnknown* object = nullptr;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, 0x17, IID_IUnknown, reinterpret_cast<void**>(&object)), REGDB_E_CLASSNOTREG);
    winenv::RegisterInprocServer(clsid, L"TestPlugin.dll");
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object)),
        REGDB_E_CLASSNOTREG);
    winenv::TraceRecorder recorder;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, 0x17, IID_IUnknown, reinterpret_cast<void**>(&object)), S_OK);
    object->Release();
    EXPECT_EQ(recorder.OfKind("load_library").size(), 1u);
    winenv::UnregisterInprocServer(clsid);
    CoUninitialize();
}

} // namespace
