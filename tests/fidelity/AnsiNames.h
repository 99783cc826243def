// Signer names through an INI job that WritePrivateProfileStringW creates, so in the ANSI code
// page (936): the demo's names come back as they were; a character 936 lacks comes back as '?',
// one for each UTF-16 unit, as Windows writes it. The stand-in's tests and the Windows build
// under Wine hold the profile API to this table.
#pragma once

#include <windows.h>

struct AnsiNameCase {
    const wchar_t* written;
    const wchar_t* read;
};

inline const AnsiNameCase kAnsiNameCases[] = {
    {L"张工", L"张工"},
    {L"赵敏", L"赵敏"},
    {L"Designed by Zhao Lei", L"Designed by Zhao Lei"},
    {L"김민준 Kim", L"??? Kim"},
    {L"Ægir \U0001F600", L"?gir ??"},
};
