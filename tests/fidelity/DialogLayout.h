// Where a dialog's controls land. DialogLayout.txt gives each control's rectangle (and the client
// area's) in dialog units as the .rc file places them; a dialog manager must put each at
// MulDiv(value, base unit, 4 or 8), value by value, with the base units of the dialog's font.
// Windows' dialog manager under Wine and the headless window system are held to the same file.
#pragma once

#include <windows.h>

#include <sstream>
#include <string>

// Lines of the file that the dialog does not match, each followed by what it has instead.
inline std::string DialogLayoutMismatches(HWND hDlg, int nDialog, const std::string& layoutFile)
{
    RECT base = {0, 0, 4, 8};
    MapDialogRect(hDlg, &base);
    std::istringstream lines(layoutFile);
    std::ostringstream mismatches;
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        int nFileDialog = 0, x = 0, y = 0, cx = 0, cy = 0;
        std::string control;
        if (!(fields >> nFileDialog >> control >> x >> y >> cx >> cy) || nFileDialog != nDialog)
            continue;
        RECT rc = {};
        if (control == "client") {
            GetClientRect(hDlg, &rc);
        } else if (HWND hCtl = GetDlgItem(hDlg, std::stoi(control))) {
            GetWindowRect(hCtl, &rc);
            MapWindowPoints(NULL, hDlg, reinterpret_cast<POINT*>(&rc), 2);
        }
        const int got[] = {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
        const int want[] = {MulDiv(x, base.right, 4), MulDiv(y, base.bottom, 8), MulDiv(cx, base.right, 4),
            MulDiv(cy, base.bottom, 8)};
        if (got[0] != want[0] || got[1] != want[1] || got[2] != want[2] || got[3] != want[3])
            mismatches << line << " -> px " << got[0] << ' ' << got[1] << ' ' << got[2] << ' ' << got[3]
                       << " (base units " << base.right << 'x' << base.bottom << ")\n";
    }
    return mismatches.str();
}
