// Resource identifiers of VuverIverIzizerOzi.rc.
//
//   IDS_APP_TITLE        57344  application title, caption of every message box
//   IDD_DOCUMENTSELECT   27000  light file manager dialog (CDocumentSelectDlg)
//   IDC_TREE_LIGHTFILES  27000    its tree of light files (check boxes)
//   IDC_BTN_PRINT        27003    "打印"
//   IDC_BTN_DOWNLOAD     27004    "下载"
//   IDC_CHECK_DWG        27005    filter box "DWG"
//   IDC_CHECK_PDF        27006    filter box "PDF"
//   IDC_CHECK_STEP       27008    filter box "STEP"
//   IDD_VIEWFILE         27001  viewer dialog (CViewFileDlg)
//   IDC_VIEWER           27008    the viewer ActiveX control
//   IDI_DOCUMENTSELECT   27003  icon of the manager dialog
//   IDI_VIEWFILE         27004  icon of the viewer dialog
#pragma once

#define IDD_DOCUMENTSELECT              27000
#define IDD_VIEWFILE                    27001
#define IDI_DOCUMENTSELECT              27003
#define IDI_VIEWFILE                    27004

#define IDC_TREE_LIGHTFILES             27000
#define IDC_BTN_PRINT                   27003
#define IDC_BTN_DOWNLOAD                27004
#define IDC_CHECK_DWG                   27005
#define IDC_CHECK_PDF                   27006
#define IDC_CHECK_STEP                  27008
#define IDC_VIEWER                      27008

// The framework's application title string (AFX_IDS_APP_TITLE).
#define IDS_APP_TITLE                   57344
