// One electronic signature of a document revision, as the signing job needs it.
#pragma once

#include <afxwin.h>

class CSignInfo {
public:
    CSignInfo() {}

    int m_nFormat;               // 1 text, 2 picture; other values are carried but not signed
    CString m_strSignContent;
    CString m_strFont;           // comma-separated font description
    CString m_strPictureStyle;
    CString m_strPictureFileID;  // decimal object id of the picture file
    CString m_strCreationDate;   // date part only
    CString m_strNameLocation;   // comma-separated placement and style
    CString m_strTimeLocation;
    CString m_strDocWfState;
    CString m_strWfTemplate;
};
