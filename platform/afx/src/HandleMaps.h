// The thread's maps from window handles to CWnd objects. Private to the framework.
#pragma once

#include <map>
#include <memory>

#include <afxwin.h>

namespace afx_internal {

struct HandleMaps {
    // Temporary objects go without touching their windows or the maps.
    ~HandleMaps()
    {
        for (auto& entry : temporary)
            entry.second->m_hWnd = NULL;
    }

    // Objects attached with Attach/SubclassWindow/dialogs; not owned.
    std::map<HWND, CWnd*> permanent;
    // Objects FromHandle made for windows without one; owned, dropped when their window is gone.
    std::map<HWND, std::unique_ptr<CWnd>> temporary;
    // The message being handled, for CWnd::Default; nested sends save and restore it.
    MSG lastSentMsg{};
};

HandleMaps& ThreadHandleMaps();

} // namespace afx_internal
