// A signing job with the demo's signers as the module writes it: through the profile API into a
// new file, so in the ANSI code page (936), with the placement fields copied untrimmed. The Linux
// signing plug-in draws the signatures and gives this `signed` event (tests/pdf, on a three-page
// PDF), and so do the Windows ones (tests/windows).
#pragma once

#include <windows.h>

struct SignedJobLine {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* value;
};

inline const SignedJobLine kSignedJob[] = {
    {L"PDFSIGN", L"NUMBER", L"5"},
    {L"SIGN1", L"CONTENT", L"张工"}, {L"SIGN1", L"X", L"100"}, {L"SIGN1", L"Y", L" 200"},
    {L"SIGN1", L"WIDTH", L"50"}, {L"SIGN1", L"HEIGHT", L"20"}, {L"SIGN1", L"FONT", L"仿宋"},
    {L"SIGN1", L"FontSize", L"-16"}, {L"SIGN1", L"COLOR_R", L"255"},
    {L"SIGN2", L"CONTENT", L"赵敏"}, {L"SIGN2", L"X", L"300.5"}, {L"SIGN2", L"Y", L"80"}, {L"SIGN2", L"Page", L"-1"},
    {L"SIGN4", L"IMAGE", L""}, {L"SIGN4", L"X", L"1"}, {L"SIGN4", L"Y", L"2"},
    {L"SIGN5", L"CONTENT", L"Designed by Zhao Lei"}, {L"SIGN5", L"FONT", L"Arial"}, {L"SIGN5", L"Page", L"2"},
};

// The event's fields but its "pdf", which is the path the plug-in was given.
inline const char* const kSignedEvent[][2] = {
    {"result", "3"},
    {"stamps", "SIGN1 text \"张工\" 仿宋@p1(100,200 50x20); SIGN2 text \"赵敏\" 宋体@p-1(300.5,80); "
               "SIGN5 text \"Designed by Zhao Lei\" Arial@p2(36,36)"},
    {"skipped", "SIGN3: absent; SIGN4: no picture file"},
    {"error", ""},
};
