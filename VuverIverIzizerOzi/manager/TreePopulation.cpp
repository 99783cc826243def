// Fills the manager tree once from its source: a product or folder structure walked depth first,
// or the documents attached to workflow items. Documents get no item of their own; their light
// files hang directly under the node that holds them.
#include "manager/DocumentSelectDlg.h"

#include <memory>

#include <shlwapi.h>

#include <QvATLHelper.h>
#include <ZORMetaWrapper.h>

#include "catalogue/AutoClean.h"
#include "catalogue/LightFileQuery.h"

static const int LABEL_BUFFER_CHARS = 128;

// Labels longer than the buffer are cut; the terminator always fits.
static void CopyLabel(LPWSTR lpszBuffer, LPCWSTR lpszText)
{
    wcsncpy(lpszBuffer, lpszText != NULL ? lpszText : L"", LABEL_BUFFER_CHARS - 1);
    lpszBuffer[LABEL_BUFFER_CHARS - 1] = L'\0';
}

int CDocumentSelectDlg::FillProductNode(COtlObjectRef* pObject, HTREEITEM hItem)
{
    return FillStructureNode(pObject, hItem, L"ParentAssemblyPart", L"PartWithDrawings");
}

int CDocumentSelectDlg::FillFolderNode(COtlObjectRef* pObject, HTREEITEM hItem)
{
    return FillStructureNode(pObject, hItem, L"ParentFolder", L"FolderWithDocuments");
}

int CDocumentSelectDlg::FillStructureNode(COtlObjectRef* pObject, HTREEITEM hItem, LPCWSTR lpszChildRelation,
    LPCWSTR lpszDocumentRelation)
{
    std::unique_ptr<WCHAR[]> pszLabel(new WCHAR[LABEL_BUFFER_CHARS]);
    pszLabel[0] = L'\0';

    TVINSERTSTRUCTW tvis = {};
    tvis.hParent = hItem;
    tvis.hInsertAfter = TVI_LAST;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tvis.item.pszText = pszLabel.get();

    {
        std::list<COtlObjectRef*> lstChildren;
        CListAutoClean<COtlObjectRef> cleanChildren(&lstChildren);
        std::list<COtlLinkRef*> lstLinks;
        CListAutoClean<COtlLinkRef> cleanLinks(&lstLinks);

        if (FAILED(pObject->GetRelatedObjects(lpszChildRelation, 1, lstChildren, lstLinks)))
            return 0;

        if (!lstChildren.empty()) {
            tvis.item.iImage = m_nFolderIcon;
            tvis.item.iSelectedImage = m_nFolderIcon;
            for (COtlObjectRef* pChild : lstChildren) {
                VARIANT varName;
                VariantInit(&varName);
                pChild->GetPropertyValue(L"name", &varName);
                CString strName = CVariantHelper::VariantToString(varName);
                VariantClear(&varName);

                CopyLabel(pszLabel.get(), strName);
                HTREEITEM hChild = m_tree.InsertItem(&tvis);
                // Depth first: each child is complete before its next sibling is inserted.
                FillStructureNode(pChild, hChild, lpszChildRelation, lpszDocumentRelation);
            }
        }
    }

    std::list<COtlObjectRef*> lstDocuments;
    CListAutoClean<COtlObjectRef> cleanDocuments(&lstDocuments);
    std::list<COtlLinkRef*> lstLinks;
    CListAutoClean<COtlLinkRef> cleanLinks(&lstLinks);

    if (FAILED(pObject->GetRelatedObjects(lpszDocumentRelation, 1, lstDocuments, lstLinks)))
        return 0;

    if (!lstDocuments.empty()) {
        tvis.item.mask |= TVIF_PARAM;
        for (COtlObjectRef* pDocument : lstDocuments)
            AddDocumentLightFiles(pDocument, tvis);
    }
    return 1;
}

void CDocumentSelectDlg::AddDocumentLightFiles(COtlObjectRef* pDocument, TVINSERTSTRUCTW& tvis)
{
    int nLightFileID = 0;
    const int nPdf = FindLightFileOfType(pDocument, L"pdf", &nLightFileID);
    const int nDwg = FindLightFileOfType(pDocument, L"dwg", &nLightFileID);
    // A failing query counts as "has light files": the full query below decides.
    if (nPdf == 0 && nDwg == 0)
        return;

    CLightDocumentRevObj* pDocRev = NULL;
    QueryLightFiles(pDocument, &pDocRev);
    if (pDocRev == NULL)
        return;

    for (POSITION pos = pDocRev->m_lstLightFile.GetHeadPosition(); pos != NULL;) {
        CLightFileObj* pLightFile = (CLightFileObj*)pDocRev->m_lstLightFile.GetNext(pos);
        const int nIcon = GetFileIconIndex(PathFindExtensionW(pLightFile->m_strName));
        tvis.item.iImage = nIcon;
        tvis.item.iSelectedImage = nIcon;
        tvis.item.lParam = (LPARAM)pLightFile;
        CopyLabel(tvis.item.pszText, pLightFile->m_strName);
        m_tree.InsertItem(&tvis);
    }
}

HRESULT CDocumentSelectDlg::FillAssociatedFiles(HTREEITEM hItem)
{
    std::unique_ptr<WCHAR[]> pszLabel(new WCHAR[LABEL_BUFFER_CHARS]);
    pszLabel[0] = L'\0';

    TVINSERTSTRUCTW tvis = {};
    tvis.hParent = hItem;
    tvis.hInsertAfter = TVI_LAST;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tvis.item.pszText = pszLabel.get();

    for (const IQvUiFlowItemPtr& pFlowItem : m_lstFlowItems) {
        // An element that is no UI item has no object to show; it is passed over.
        IQvUiItemPtr pUiItem(pFlowItem);
        if (pUiItem == NULL)
            continue;

        IQvUiObjectPtr pUiObject;
        HRESULT hr = pUiItem->GetUiObject(&pUiObject);
        if (FAILED(hr) || pUiObject == NULL)
            return hr;

        IQvOtlObjectPtr pOtlObject;
        hr = pUiObject->GetOtlObject(&pOtlObject);
        if (FAILED(hr))
            return hr;

        COtlObjectRef object(pOtlObject);
        BSTR bstrClassName = NULL;
        object.GetClassNameW(&bstrClassName);
        int bIsDocument = 0;
        hr = CMetaClassRef::IsDescendentOrSelfClass(L"Document", bstrClassName, &bIsDocument);
        SysFreeString(bstrClassName);
        if (FAILED(hr))
            return hr;

        if (bIsDocument) {
            tvis.item.mask |= TVIF_PARAM;
            AddDocumentLightFiles(&object, tvis);
        }
    }
    return 1;
}
