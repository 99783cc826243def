// The framework registers the common control classes before it makes a dialog or a control that
// may use them, as comctl32 wants InitCommonControlsEx before the first one is created.
#pragma once

void AfxRegisterCommonControls();
