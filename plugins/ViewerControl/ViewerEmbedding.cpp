// The stand-in's "AtlAxWin" hosts a control without embedding it in place (as ATL does for a
// control that has no IOleObject), and its window system draws no control: the control offers
// no embedding here.
#include "ViewerEmbedding.h"

namespace viewer {

ViewerEmbedding* CreateEmbedding(IUnknown*, SIZE*)
{
    return nullptr;
}

void DestroyEmbedding(ViewerEmbedding*) {}

HRESULT QueryEmbedding(ViewerEmbedding*, REFIID, void**)
{
    return E_NOINTERFACE;
}

void ShowFile(ViewerEmbedding*, const std::wstring&) {}

} // namespace viewer
