// A snapshot of a dialog on the headless desktop: the stand-in's picture of its windows, in SVG.
#include "DialogActions.h"

#include <winenv/DesktopSvg.h>
#include <winenv/Trace.h>

namespace plmclient {

bool SaveDialogSnapshot(HWND dialog, const std::string& file, std::string& error)
{
    if (!winenv::SaveWindowSvg(dialog, file)) {
        error = "cannot write " + file;
        return false;
    }
    wchar_t caption[512] = {};
    GetWindowTextW(dialog, caption, 512);
    winenv::Trace("snapshot", {{"window", winenv::ToUtf8(caption)}, {"file", file}});
    return true;
}

} // namespace plmclient
