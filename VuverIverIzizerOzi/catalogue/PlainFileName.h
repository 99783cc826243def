// Names from the database that the module writes into a folder of its choosing.
#pragma once

#include <afxwin.h>

// TRUE for a name that stays in the folder it is appended to: not empty, no "\" or "/", not "."
// or "..". Windows resolves ".." as text, so anything else could name another place.
BOOL IsPlainFileName(const CString& strName);
