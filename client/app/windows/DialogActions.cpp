// The Windows build's scripted user does not act on dialogs yet: a script with lines for a dialog
// is refused before the command runs, so a dialog is left to the desktop, which closes it as the
// Linux build closes a dialog the script has no lines for.
#include "ScriptedUser.h"

namespace plmclient {

void ScriptedUser::OnModalDialog(HWND) {}

} // namespace plmclient
