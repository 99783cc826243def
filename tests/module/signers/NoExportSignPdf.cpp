// A SignPdf.dll without the SignPdf export.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI SignDocument(LPCWSTR, LPCWSTR)
{
    return 0;
}
