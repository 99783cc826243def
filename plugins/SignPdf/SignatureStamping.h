// Puts a job's signatures onto the PDF. The Linux and x64 Windows plug-ins draw them; the x86
// Windows one has no drawing libraries: it draws none, leaves the PDF as it is and says so
// (m_strNotDrawn).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "SignJob.h"

struct CStampOutcome {
    bool m_bOk = false;                  // false: the PDF is untouched and m_strError says why
    int m_nDrawn = 0;
    std::vector<bool> m_drawn;           // one per entry
    std::vector<std::string> m_skipped;  // "SIGNn: why", for entries not drawn
    std::string m_strError;
    std::vector<std::string> m_warnings; // repairs made while reading, characters no face has
    std::string m_strNotDrawn;           // why no entry was drawn when the build cannot draw
};

CStampOutcome StampSignatures(LPCWSTR lpszPdfPath, const std::vector<CSignJobEntry>& entries);
