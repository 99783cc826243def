// The snapshot is the headless desktop's picture of its windows in SVG; the system's windows have
// no such picture, so a script with a snapshot line is refused before the command runs
// (CheckUserOptions) and this is never reached from a checked script.
#include "DialogActions.h"

namespace plmclient {

bool SaveDialogSnapshot(HWND, const std::string&, std::string& error)
{
    error = "\"snapshot\" needs the Linux build's headless desktop";
    return false;
}

} // namespace plmclient
