// Modules on dlopen. An HMODULE is the dlopen handle itself. LoadLibrary counts references per
// module; DllMain sees DLL_PROCESS_ATTACH on the first load and DLL_PROCESS_DETACH when the last
// reference goes, under one loader lock as on Windows.
#include <climits>
#include <cstdlib>
#include <cwchar>
#include <dlfcn.h>
#include <link.h>
#include <map>
#include <mutex>

#include <winbase.h>
#include <win32crt.h>

#include "FileSystem.h"
#include "ModuleSearch.h"
#include "winenv/Modules.h"
#include "winenv/Paths.h"
#include "winenv/Trace.h"

namespace {


typedef BOOL(WINAPI* DllMainProc)(HINSTANCE, DWORD, LPVOID);

struct LoadedModule {
    int references = 0;
    bool attached = false; // DllMain saw DLL_PROCESS_ATTACH
};

std::recursive_mutex g_loaderLock;
std::map<void*, LoadedModule> g_modules;

void* ProgramHandle()
{
    static void* const handle = ::dlopen(nullptr, RTLD_LAZY);
    return handle;
}

// The module's own DllMain: dlsym also searches a library's dependencies, whose DllMain is not ours.
DllMainProc OwnDllMain(void* handle)
{
    void* symbol = ::dlsym(handle, "DllMain");
    if (!symbol)
        return nullptr;
    link_map* moduleMap = nullptr;
    link_map* symbolMap = nullptr;
    Dl_info info;
    if (::dlinfo(handle, RTLD_DI_LINKMAP, &moduleMap) != 0
        || !::dladdr1(symbol, &info, reinterpret_cast<void**>(&symbolMap), RTLD_DL_LINKMAP) || symbolMap != moduleMap)
        return nullptr;
    return reinterpret_cast<DllMainProc>(symbol);
}

// A library loaded before under the same file name, whatever the case of its letters: Windows
// looks among the loaded modules before any folder for a name without one.
std::string LoadedLibraryPath(const std::wstring& fileName)
{
    for (const auto& entry : g_modules) {
        link_map* map = nullptr;
        if (::dlinfo(entry.first, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name)
            continue;
        const std::string path = map->l_name;
        const std::wstring baseName = winenv::FromUtf8(path.substr(path.rfind('/') + 1));
        if (_wcsicmp(baseName.c_str(), fileName.c_str()) == 0)
            return path;
    }
    return std::string();
}

HMODULE Load(LPCWSTR name, DWORD flags)
{
    const std::wstring asked = name ? name : L"";
    std::lock_guard<std::recursive_mutex> searchLock(g_loaderLock);
    std::string path;
    if (!asked.empty() && !win32core::HasFolder(asked))
        path = LoadedLibraryPath(win32core::LibraryFileName(asked));
    if (path.empty())
        path = win32core::FindLibrary(asked);
    auto trace = [&](const char* result) {
        winenv::Trace("load_library", {{"name", winenv::ToUtf8(asked)}, {"path", path}, {"result", result}});
    };
    if (path.empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        trace("not found");
        return nullptr;
    }
    std::lock_guard<std::recursive_mutex> lock(g_loaderLock);
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        SetLastError(ERROR_BAD_EXE_FORMAT);
        trace("bad image");
        return nullptr;
    }
    LoadedModule& module = g_modules[handle];
    ++module.references;
    const bool runInit = !(flags & (DONT_RESOLVE_DLL_REFERENCES | LOAD_LIBRARY_AS_DATAFILE));
    if (module.references == 1 && runInit) {
        if (DllMainProc dllMain = OwnDllMain(handle)) {
            if (!dllMain(reinterpret_cast<HINSTANCE>(handle), DLL_PROCESS_ATTACH, nullptr)) {
                // A refused attach is followed by a detach, then the module goes.
                dllMain(reinterpret_cast<HINSTANCE>(handle), DLL_PROCESS_DETACH, nullptr);
                g_modules.erase(handle);
                ::dlclose(handle);
                SetLastError(ERROR_DLL_INIT_FAILED);
                trace("init failed");
                return nullptr;
            }
            module.attached = true;
        }
    }
    trace("ok");
    return reinterpret_cast<HMODULE>(handle);
}

std::wstring ModulePath(HMODULE hModule)
{
    void* handle = hModule ? reinterpret_cast<void*>(hModule) : ProgramHandle();
    std::string path;
    link_map* map = nullptr;
    if (handle != ProgramHandle() && ::dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name && *map->l_name)
        path = map->l_name;
    else
        path = win32core::ProgramPath();
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved))
        path = resolved;
    return winenv::FromPosixPath(path);
}

} // namespace

extern "C" HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName) { return Load(lpLibFileName, 0); }

extern "C" BOOL WINAPI FreeLibrary(HMODULE hLibModule)
{
    void* handle = reinterpret_cast<void*>(hLibModule);
    std::lock_guard<std::recursive_mutex> lock(g_loaderLock);
    auto it = g_modules.find(handle);
    if (it == g_modules.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (--it->second.references == 0) {
        const bool attached = it->second.attached;
        g_modules.erase(it);
        if (attached)
            if (DllMainProc dllMain = OwnDllMain(handle))
                dllMain(reinterpret_cast<HINSTANCE>(handle), DLL_PROCESS_DETACH, nullptr);
    }
    ::dlclose(handle);
    return TRUE;
}

extern "C" FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    if (hModule == nullptr || lpProcName == nullptr || IS_INTRESOURCE(lpProcName)) {
        SetLastError(hModule == nullptr ? ERROR_INVALID_HANDLE : ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    void* symbol = ::dlsym(reinterpret_cast<void*>(hModule), lpProcName);
    if (!symbol) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

// A module already in the process, by file name (any case) or full path; the reference count does
// not change.
extern "C" HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName)
{
    if (lpModuleName == nullptr)
        return reinterpret_cast<HMODULE>(ProgramHandle());
    std::wstring wanted = lpModuleName;
    const size_t separator = wanted.find_last_of(L"\\/");
    const bool byPath = separator != std::wstring::npos;
    std::wstring fileName = byPath ? wanted.substr(separator + 1) : wanted;
    if (fileName.find(L'.') == std::wstring::npos)
        fileName += L".dll", wanted += L".dll";
    struct Search {
        std::string wantedPath;
        std::wstring wantedFile;
        std::string found;
    } search{byPath ? winenv::ToPosixPath(wanted) : std::string(), byPath ? std::wstring() : fileName, {}};
    ::dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) -> int {
            auto* s = static_cast<Search*>(data);
            const std::string name = info->dlpi_name ? info->dlpi_name : "";
            if (name.empty())
                return 0;
            if (!s->wantedPath.empty()) {
                if (name == s->wantedPath)
                    s->found = name;
            } else {
                const std::wstring file = winenv::FromUtf8(name.substr(name.rfind('/') + 1));
                if (_wcsicmp(file.c_str(), s->wantedFile.c_str()) == 0)
                    s->found = name;
            }
            return s->found.empty() ? 0 : 1;
        },
        &search);
    if (search.found.empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    void* handle = ::dlopen(search.found.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle)
        ::dlclose(handle); // still loaded: the lookup itself takes no reference
    return reinterpret_cast<HMODULE>(handle);
}

// The module's full path; a buffer too small gets the truncated, terminated path and
// ERROR_INSUFFICIENT_BUFFER, and nSize is returned.
extern "C" DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize)
{
    const std::wstring path = ModulePath(hModule);
    if (lpFilename == nullptr || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() >= nSize) {
        std::wmemcpy(lpFilename, path.data(), nSize - 1);
        lpFilename[nSize - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    std::wmemcpy(lpFilename, path.c_str(), path.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
}
