// The resource table linked into a module, and the lookup that FindResourceExW and LoadStringW share.
#pragma once

#include <windef.h>

#include "winenv/ResourceTable.h"

namespace win32resources {

// The table of the module itself (not of a library it depends on); null when it has none.
// A null module is the program.
const winenv::ResourceTable* TableOf(HMODULE module);

// Finds a resource with the Windows language fallback. On failure returns null and sets `error`
// to ERROR_RESOURCE_DATA_NOT_FOUND (no resources), ..._TYPE_NOT_FOUND, ..._NAME_NOT_FOUND or
// ..._LANG_NOT_FOUND.
const winenv::ResourceEntry* FindEntry(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language, DWORD& error);

} // namespace win32resources
