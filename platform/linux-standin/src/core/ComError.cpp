// _com_issue_error: how compiler COM support raises a failing HRESULT.
#include <comdef.h>

void __stdcall _com_issue_error(HRESULT hr) { throw _com_error(hr); }

_com_error::~_com_error() noexcept = default;
