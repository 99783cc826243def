// Construction and destruction of the light file manager; its window behaviour lives in the
// DocumentSelectDlg_*.cpp files.
#include "manager/DocumentSelectDlg.h"

#include "catalogue/AutoClean.h"
#include "catalogue/LightFileQuery.h"

IMPLEMENT_DYNAMIC(CDocumentSelectDlg, CBCGPDialog)

CDocumentSelectDlg::CDocumentSelectDlg(CWnd* pParent)
    : CBCGPDialog(CDocumentSelectDlg::IDD, pParent)
    , m_nPdfCheck(0)
    , m_nDwgCheck(0)
    , m_nStepCheck(0)
    , m_nFolderIcon(0)
    , m_nLightFileClassID(LIGHTFILE_CLASS_ID)
    , m_pRootObject(NULL)
    , m_lstDocRevObj(10)
    , m_lstLightFileObj(10)
{
}

CDocumentSelectDlg::~CDocumentSelectDlg()
{
    {
        // Revision records go first (the guards unwind in reverse); they never touch their light
        // file records on the way.
        CPtrListAutoClean<CLightFileObj> cleanLightFiles(&m_lstLightFileObj);
        CPtrListAutoClean<CLightDocumentRevObj> cleanDocRevs(&m_lstDocRevObj);
    }
    m_lstFlowItems.clear();
}
