// The viewer control's in-place embedding: what a container's host window (ATL's "AtlAxWin")
// asks of a visual control, IOleObject and IOleInPlaceObject, and the control's own window
// inside the host, which shows the file last opened. The embedding is a tear-off of the control:
// its IUnknown is the control's, and it lives as long as the control.
#pragma once

#include <windows.h>

#include <string>

namespace viewer {

class ViewerEmbedding;

// Made with the control; pOuter answers the embedding's IUnknown, pExtent is the control's
// saved extent (HIMETRIC), which IOleObject::SetExtent changes. NULL where the platform's host
// embeds no control in place.
ViewerEmbedding* CreateEmbedding(IUnknown* pOuter, SIZE* pExtent);
// Deactivates and frees it with the control.
void DestroyEmbedding(ViewerEmbedding* pEmbedding);
// The embedding's interfaces, without AddRef (the caller counts on the control); E_NOINTERFACE
// for any other.
HRESULT QueryEmbedding(ViewerEmbedding* pEmbedding, REFIID riid, void** ppv);
// The file the control's window shows.
void ShowFile(ViewerEmbedding* pEmbedding, const std::wstring& path);

} // namespace viewer
