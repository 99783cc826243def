// BSTR with the Windows layout: a 4-byte byte count, then the characters, then a NUL character.
// The pointer handed out points at the characters.
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include <oleauto.h>
#include <sanitizer/asan_interface.h>

#include "BstrCache.h"
#include "winenv/Faults.h"

namespace {

std::atomic<int> g_failingAllocations{0};

bool AllocationFails()
{
    int pending = g_failingAllocations.load();
    while (pending > 0)
        if (g_failingAllocations.compare_exchange_weak(pending, pending - 1))
            return true;
    return false;
}

DWORD* Header(BSTR bstr) { return reinterpret_cast<DWORD*>(bstr) - 1; }

// A new BSTR of byteLength bytes, filled from source when given, zeroed otherwise.
BSTR Allocate(const void* source, size_t byteLength)
{
    if (byteLength > 0xFFFFFFF0u || AllocationFails())
        return nullptr;
    const size_t used = sizeof(DWORD) + byteLength + sizeof(OLECHAR);
    const size_t total = win32core::BstrBlockSize(used);
    auto* block = static_cast<unsigned char*>(win32core::TakeBstrBlock(total));
    if (!block)
        block = static_cast<unsigned char*>(std::malloc(total));
    if (!block)
        return nullptr;
    // Zeroed only where nothing is copied in: a statement's text passes through here.
    if (!source)
        std::memset(block, 0, total);
    *reinterpret_cast<DWORD*>(block) = static_cast<DWORD>(byteLength);
    if (source) {
        std::memcpy(block + sizeof(DWORD), source, byteLength);
        std::memset(block + sizeof(DWORD) + byteLength, 0, sizeof(OLECHAR));
    }
    // The rest of a size class's block lies past the string: AddressSanitizer reports a read there.
    ASAN_POISON_MEMORY_REGION(block + used, total - used);
    return reinterpret_cast<BSTR>(block + sizeof(DWORD));
}

} // namespace

namespace winenv {
void FailNextBstrAllocations(int count) { g_failingAllocations.store(count > 0 ? count : 0); }
} // namespace winenv

extern "C" BSTR WINAPI SysAllocString(const OLECHAR* psz)
{
    if (!psz)
        return nullptr;
    return Allocate(psz, std::wcslen(psz) * sizeof(OLECHAR));
}

extern "C" BSTR WINAPI SysAllocStringLen(const OLECHAR* strIn, UINT ui)
{
    return Allocate(strIn, static_cast<size_t>(ui) * sizeof(OLECHAR));
}

extern "C" void WINAPI SysFreeString(BSTR bstrString)
{
    if (bstrString)
        win32core::GiveBstrBlock(Header(bstrString),
            win32core::BstrBlockSize(sizeof(DWORD) + *Header(bstrString) + sizeof(OLECHAR)));
}

extern "C" UINT WINAPI SysStringLen(BSTR pbstr) { return pbstr ? *Header(pbstr) / sizeof(OLECHAR) : 0; }
