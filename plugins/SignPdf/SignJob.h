// A signing job file read into signatures, through the Windows profile API.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct CSignJobEntry {
    enum Kind { Text, Picture };
    Kind m_nKind = Text;
    int m_nSection = 0;          // n of the section "SIGNn"
    std::wstring m_strContent;   // text signature: the text
    std::wstring m_strFont;      // text signature: the Windows font name
    double m_dFontSize = 0;
    int m_nColorR = 0;
    int m_nColorG = 0;
    int m_nColorB = 0;
    std::wstring m_strImage;     // picture signature: its Windows path
    double m_dX = 0;
    double m_dY = 0;
    double m_dWidth = 0;         // 0: no box
    double m_dHeight = 0;
    int m_nPage = 1;             // 1-based, negative counts from the end
};

struct CSignJob {
    int m_nDeclared = 0;                  // NUMBER of section PDFSIGN
    std::vector<CSignJobEntry> m_entries; // the sections that hold a signature, in order
    std::vector<std::wstring> m_skipped;  // one line per section left out, with the reason
};

// Reads SIGN1..SIGNn for n up to NUMBER; missing sections are passed over.
CSignJob ReadSignJob(LPCWSTR lpszJobPath);
