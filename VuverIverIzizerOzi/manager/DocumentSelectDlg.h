// The light file manager: a tree of the light files of a product, a folder tree or the objects
// attached to workflow items, with check boxes, type filters, viewing, printing and download.
#pragma once

#include <list>

#include <afxwin.h>
#include <afxcmn.h>
#include <afxcoll.h>
#include <commctrl.h>
#include <BCGCBProInc.h>

#include <ComRef.h>
#include <ZORUIWait.h>

#include "catalogue/LightFileObj.h"
#include "manager/FlowItemList.h"
#include "resources/resource.h"

class CDocumentSelectDlg : public CBCGPDialog {
    DECLARE_DYNAMIC(CDocumentSelectDlg)

public:
    // Constructors
    CDocumentSelectDlg(CWnd* pParent = NULL);
    virtual ~CDocumentSelectDlg();

    enum { IDD = IDD_DOCUMENTSELECT };

    // Attributes
    int m_nPdfCheck;                 // filter boxes as last read
    int m_nDwgCheck;
    int m_nStepCheck;
    CFlowItemList m_lstFlowItems;    // workflow source; one reference per element
    CImageList m_imageList;          // the system's small-icon list, attached
    int m_nFolderIcon;               // icon of every structure node
    int m_nLightFileClassID;         // class id of light file objects
    COtlObjectRef* m_pRootObject;    // product or folder source; not owned
    CPtrList m_lstDocRevObj;         // CLightDocumentRevObj*, owned
    CPtrList m_lstLightFileObj;      // CLightFileObj*, owned; tree item data points here
    CStringArray m_arrFiles;         // paths fetched by the last print or download
    CTreeCtrl m_tree;

    // Operations: the light files of one document as a new revision record in the owning lists.
    // *ppDocRev stays null when the document has none.
    HRESULT QueryLightFiles(COtlObjectRef* pDocument, CLightDocumentRevObj** ppDocRev);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    // Tree population; each returns 1 when every relation was read.
    int FillProductNode(COtlObjectRef* pObject, HTREEITEM hItem);
    int FillFolderNode(COtlObjectRef* pObject, HTREEITEM hItem);
    int FillStructureNode(COtlObjectRef* pObject, HTREEITEM hItem, LPCWSTR lpszChildRelation,
        LPCWSTR lpszDocumentRelation);
    // 1 when every workflow element was handled, otherwise the status that stopped the fill.
    HRESULT FillAssociatedFiles(HTREEITEM hItem);
    // Inserts the light files of a document under tvInsert's parent, through the caller's
    // insertion record and label buffer.
    void AddDocumentLightFiles(COtlObjectRef* pDocument, TVINSERTSTRUCTW& tvInsert);

    // Tree walks over the descendants of hItem.
    void SetChildrenCheck(HTREEITEM hItem, BOOL bCheck);
    void ApplyFilters(HTREEITEM hItem);
    void CountCheckedFiles(HTREEITEM hItem, UINT& nCount);
    BOOL CollectCheckedFiles(HTREEITEM hItem, CString strFolder, CPlmWait& wait);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnBnClickedPrint();
    afx_msg void OnBnClickedDownload();
    afx_msg void OnNMDblclkTree(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnNMClickTree(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBnClickedPdf();
    afx_msg void OnBnClickedDwg();
    afx_msg void OnBnClickedStep();

    DECLARE_MESSAGE_MAP()
};

// Index in the system small-icon list of the shell's icon for the name's extension (or for an
// extension given with its dot).
int GetFileIconIndex(LPCWSTR lpszNameOrExtension);

// The folder picker: the chosen folder's file-system path, empty when cancelled. Also used by the
// document-list download command.
CString BrowseForFolder(HWND hWndOwner);
