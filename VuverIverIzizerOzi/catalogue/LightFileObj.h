// The light file record and the document revision record that the queries make.
#pragma once

#include <afxwin.h>
#include <afxcoll.h>

class CLightDocumentRevObj;

// One light file of a document revision. Owned by an outside list, never by its revision.
class CLightFileObj {
public:
    CLightFileObj();

    int m_nObjID;                    // OBJ_ID of T_LightFile; set by every maker
    CString m_strName;               // file name with extension
    CLightDocumentRevObj* m_pDocRev; // the revision whose m_lstLightFile holds this record; not owned
};

// One document revision: its light files (not owned) and its signatures (owned).
class CLightDocumentRevObj {
public:
    CLightDocumentRevObj();
    ~CLightDocumentRevObj();

    CPtrList m_lstSignInfo;    // CSignInfo*, owned
    CPtrList m_lstLightFile;   // CLightFileObj*, not owned
    CString m_strFileType;     // filetype of the document's class table
    UINT m_nDocID;             // object id of the document; set by every maker
    int m_nRevID;              // object id of the current revision; set by every maker
    CString m_strClassName;    // "Document", "Drawing", "CappDocument" or "3DDocument"
    BOOL m_bSignCollected;     // 1 once CollectSignatures has run to its end

private:
    CLightDocumentRevObj(const CLightDocumentRevObj&);
    CLightDocumentRevObj& operator=(const CLightDocumentRevObj&);
};
