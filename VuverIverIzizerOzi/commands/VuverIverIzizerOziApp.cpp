#include "commands/VuverIverIzizerOziApp.h"

#include <afxdisp.h>

BEGIN_MESSAGE_MAP(CVuverIverIzizerOziApp, CWinApp)
END_MESSAGE_MAP()

CVuverIverIzizerOziApp::CVuverIverIzizerOziApp()
{
}

// The one application object of the module.
CVuverIverIzizerOziApp theApp;

BOOL CVuverIverIzizerOziApp::InitInstance()
{
    CWinApp::InitInstance();
    // The viewer dialog hosts an ActiveX control.
    AfxEnableControlContainer();
    return TRUE;
}
