// Puts a job's signatures onto the PDF.
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
};

CStampOutcome StampSignatures(LPCWSTR lpszPdfPath, const std::vector<CSignJobEntry>& entries);
