#include "MainWindow.h"

#include <windows.h>

namespace plmclient {

CommandOutcome RunInMainWindow(const qvclient::Client& client, const ModuleHost& module, const Options& options)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PlmClientMainWindow";
    RegisterClassExW(&wc);
    HWND hWndMain = CreateWindowExW(0, L"PlmClientMainWindow", L"PLM 客户端", WS_OVERLAPPEDWINDOW, 0, 0, 1280, 800,
        nullptr, nullptr, wc.hInstance, nullptr);
    CommandOutcome outcome = RunCommand(client, module, options, hWndMain);
    if (hWndMain)
        DestroyWindow(hWndMain);
    return outcome;
}

} // namespace plmclient
