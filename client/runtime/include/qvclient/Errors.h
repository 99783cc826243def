// Status codes of the client's own failures (FACILITY_ITF, severity error).
#pragma once

#include <winerror.h>

namespace qvclient {

inline constexpr HRESULT QV_E_DATABASE = _HRESULT_TYPEDEF_(0x80040301L);        // the SQL engine refused
inline constexpr HRESULT QV_E_NOTEXECUTED = _HRESULT_TYPEDEF_(0x80040302L);     // a query read before Execute
inline constexpr HRESULT QV_E_ENDOFROWS = _HRESULT_TYPEDEF_(0x80040303L);       // a row read past the last row
inline constexpr HRESULT QV_E_CLASSNOTFOUND = _HRESULT_TYPEDEF_(0x80040304L);   // no such class or relation
inline constexpr HRESULT QV_E_OBJECTNOTFOUND = _HRESULT_TYPEDEF_(0x80040305L);  // no object with that id
inline constexpr HRESULT QV_E_NOCONTENT = _HRESULT_TYPEDEF_(0x80040306L);       // the object has no stored file
inline constexpr HRESULT QV_E_PARAMNOTFOUND = _HRESULT_TYPEDEF_(0x80040307L);   // no such global parameter
inline constexpr HRESULT QV_E_NOFLOWITEM = _HRESULT_TYPEDEF_(0x80040308L);      // the context has no workflow item
inline constexpr HRESULT QV_E_NOTINITIALIZED = _HRESULT_TYPEDEF_(0x80040309L);  // the instance was never named
inline constexpr HRESULT QV_E_CONTENTMISMATCH = _HRESULT_TYPEDEF_(0x8004030AL); // content differs from its size or SHA-256
// The command already wrote other content under that name: written again, the earlier file would be lost.
inline constexpr HRESULT QV_E_NAMETAKEN = _HRESULT_TYPEDEF_(0x8004030BL);
inline constexpr HRESULT QV_E_RELATIONCYCLE = _HRESULT_TYPEDEF_(0x8004030CL);   // a related object already on the walk's branch
inline constexpr HRESULT QV_E_RELATIONDEPTH = _HRESULT_TYPEDEF_(0x8004030DL);   // a related object below the deepest level walked

} // namespace qvclient
