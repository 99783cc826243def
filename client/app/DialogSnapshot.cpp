// A snapshot of a dialog on the headless desktop: the stand-in's picture of its windows, in SVG.
#include "DialogActions.h"

#include <win32host/DesktopSvg.h>
#include <win32host/Trace.h>

namespace plmclient {

bool SaveDialogSnapshot(HWND dialog, const std::string& file, std::string& error)
{
    if (!win32host::SaveWindowSvg(dialog, file)) {
        error = "cannot write " + file;
        return false;
    }
    wchar_t caption[512] = {};
    GetWindowTextW(dialog, caption, 512);
    win32host::Trace("snapshot", {{"window", win32host::ToUtf8(caption)}, {"file", file}});
    return true;
}

} // namespace plmclient
