#include "DialogResults.h"

#include <tlhelp32.h>

#include <map>

namespace win32host {
namespace {

using EndDialogFunction = BOOL(WINAPI*)(HWND, INT_PTR);

EndDialogFunction RealEndDialog()
{
    static const auto real =
        reinterpret_cast<EndDialogFunction>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "EndDialog"));
    return real;
}

std::map<HWND, INT_PTR>& Results()
{
    static std::map<HWND, INT_PTR> results;
    return results;
}

BOOL WINAPI EndDialogNoted(HWND dialog, INT_PTR result)
{
    Results()[dialog] = result;
    return RealEndDialog()(dialog, result);
}

// Points every import address table slot of the module that holds one function at another.
void SwapImports(HMODULE module, ULONG_PTR from, ULONG_PTR to)
{
    BYTE* base = reinterpret_cast<BYTE*>(module);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress)
        return;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d)
        for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk); slot->u1.Function; ++slot)
            if (slot->u1.Function == from) {
                DWORD protection = 0;
                VirtualProtect(&slot->u1.Function, sizeof(slot->u1.Function), PAGE_READWRITE, &protection);
                slot->u1.Function = to;
                VirtualProtect(&slot->u1.Function, sizeof(slot->u1.Function), protection, &protection);
            }
}

} // namespace

void WatchDialogResults(bool watch)
{
    const auto real = reinterpret_cast<ULONG_PTR>(RealEndDialog());
    const auto noted = reinterpret_cast<ULONG_PTR>(&EndDialogNoted);
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    MODULEENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry))
        SwapImports(entry.hModule, watch ? real : noted, watch ? noted : real);
    CloseHandle(snapshot);
    if (!watch)
        Results().clear();
}

std::optional<INT_PTR> TakeDialogResult(HWND dialog)
{
    const auto it = Results().find(dialog);
    if (it == Results().end())
        return std::nullopt;
    const INT_PTR result = it->second;
    Results().erase(it);
    return result;
}

} // namespace win32host
