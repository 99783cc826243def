// The module's application object.
#pragma once

#include <afxwin.h>

class CVuverIverIzizerOziApp : public CWinApp {
public:
    CVuverIverIzizerOziApp();

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
