#include "CommonControls.h"

#include <commctrl.h>

void AfxRegisterCommonControls()
{
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&init);
}
