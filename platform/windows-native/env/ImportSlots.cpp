#include "ImportSlots.h"

#include <tlhelp32.h>

namespace winenv {
namespace {

void RedirectModuleImports(HMODULE module, ULONG_PTR from, ULONG_PTR to)
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

void RedirectImports(FARPROC from, FARPROC to)
{
    if (!from || !to)
        return;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    MODULEENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry))
        RedirectModuleImports(entry.hModule, reinterpret_cast<ULONG_PTR>(from), reinterpret_cast<ULONG_PTR>(to));
    CloseHandle(snapshot);
}

} // namespace winenv
