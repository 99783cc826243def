// Persistence of controls: IPersist and IPersistStreamInit with the Windows vtable shape.
#pragma once

#include "objidl.h"

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct IPersist : IUnknown {
    STDMETHOD(GetClassID)(CLSID* pClassID) = 0;
};
__CRT_UUID_DECL(IPersist, 0x0000010c, 0x0000, 0x0000, 0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

struct IPersistStreamInit : IPersist {
    STDMETHOD(IsDirty)() = 0;
    STDMETHOD(Load)(LPSTREAM pStm) = 0;
    STDMETHOD(Save)(LPSTREAM pStm, BOOL fClearDirty) = 0;
    STDMETHOD(GetSizeMax)(ULARGE_INTEGER* pCbSize) = 0;
    STDMETHOD(InitNew)() = 0;
};
__CRT_UUID_DECL(IPersistStreamInit, 0x7fd52380, 0x4e07, 0x101b, 0xae, 0x2d, 0x08, 0x00, 0x2b, 0x2e, 0xc7, 0x13);

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

inline constexpr IID IID_IPersist = __uuidof(IPersist);
inline constexpr IID IID_IPersistStreamInit = __uuidof(IPersistStreamInit);
