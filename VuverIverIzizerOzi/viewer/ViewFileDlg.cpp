#include "viewer/ViewFileDlg.h"

#include <ZORRTWrapper.h>

IMPLEMENT_DYNAMIC(CViewFileDlg, CBCGPDialog)

CViewFileDlg::CViewFileDlg(CWnd* pParent /*=NULL*/)
    : CBCGPDialog(CViewFileDlg::IDD, pParent)
{
}

CViewFileDlg::~CViewFileDlg()
{
}

void CViewFileDlg::DoDataExchange(CDataExchange* pDX)
{
    CBCGPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VIEWER, m_ctrlViewer);
}

BEGIN_MESSAGE_MAP(CViewFileDlg, CBCGPDialog)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CViewFileDlg::OnInitDialog()
{
    CBCGPDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, FALSE, NULL);

    HICON hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_VIEWFILE));
    SetIcon(hIcon, TRUE);
    SetIcon(hIcon, FALSE);

    // The control must know its viewer map before it is asked to show a file.
    CString strViewerMap;
    CSystemPathHelper::GetSystemConfigPath(strViewerMap);
    strViewerMap += L"\\commcfg\\Viewermap.xml";
    m_ctrlViewer.SetViewerMap(strViewerMap);

    ShowWindow(SW_SHOWMAXIMIZED);
    m_ctrlViewer.OpenFile(m_strFilePath);
    return TRUE;
}

void CViewFileDlg::OnSize(UINT nType, int cx, int cy)
{
    CBCGPDialog::OnSize(nType, cx, cy);
    if (::IsWindow(m_ctrlViewer.GetSafeHwnd()))
        m_ctrlViewer.MoveWindow(0, 0, cx, cy, TRUE);
}
