// Modules and in-process servers of the stand-in.
//
// HMODULE contract: an HMODULE is the dlopen handle of the library itself (the program's is that of
// dlopen(nullptr)); GetProcAddress is dlsym on it. LoadLibraryW finds a bare name in the program's
// folder, then the current directory, then the folders of PATH; a name with a path is used as it is.
// Every LoadLibraryW/LoadLibraryExW traces an event "load_library" with the fields "name" (as asked),
// "path" (the POSIX file loaded, empty when none was found) and "result" ("ok", "not found",
// "bad image" or "init failed" when DllMain returned FALSE).
// Not a Windows API: never included by the module.
#pragma once

#include <guiddef.h>

namespace winenv {

// Stands for the registry's InprocServer32 key of a class: CoCreateInstance and CoGetClassObject
// with an in-process context then load dllName with LoadLibraryW and ask its exported
// DllGetClassObject. Classes registered with CoRegisterClassObject take precedence.
void RegisterInprocServer(REFCLSID clsid, const wchar_t* dllName);
void UnregisterInprocServer(REFCLSID clsid);

} // namespace winenv
