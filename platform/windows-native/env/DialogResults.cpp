#include "DialogResults.h"

#include <map>

#include "ImportSlots.h"

namespace winenv {
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

} // namespace

void WatchDialogResults(bool watch)
{
    const auto real = reinterpret_cast<FARPROC>(RealEndDialog());
    const auto noted = reinterpret_cast<FARPROC>(&EndDialogNoted);
    RedirectImports(watch ? real : noted, watch ? noted : real);
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

} // namespace winenv
