#include "SystemMessages.h"

#include <winerror.h>

namespace win32core {

std::wstring SystemMessage(HRESULT hr)
{
    struct Entry {
        HRESULT hr;
        const wchar_t* text;
    };
    static const Entry kMessages[] = {
        {S_OK, L"The operation completed successfully."},
        {E_NOTIMPL, L"Not implemented"},
        {E_NOINTERFACE, L"No such interface supported"},
        {E_POINTER, L"Invalid pointer"},
        {E_ABORT, L"Operation aborted"},
        {E_FAIL, L"Unspecified error"},
        {E_UNEXPECTED, L"Catastrophic failure"},
        {E_ACCESSDENIED, L"Access is denied."},
        {E_HANDLE, L"The handle is invalid."},
        {E_OUTOFMEMORY, L"Not enough memory resources are available to complete this operation."},
        {E_INVALIDARG, L"The parameter is incorrect."},
        {CLASS_E_NOAGGREGATION, L"Class does not support aggregation (or class object is remote)"},
        {CLASS_E_CLASSNOTAVAILABLE, L"ClassFactory cannot supply requested class"},
        {REGDB_E_CLASSNOTREG, L"Class not registered"},
        {CO_E_NOTINITIALIZED, L"CoInitialize has not been called."},
        {CO_E_CLASSSTRING, L"Invalid class string"},
        {DISP_E_MEMBERNOTFOUND, L"Member not found."},
        {DISP_E_TYPEMISMATCH, L"Type mismatch."},
        {DISP_E_UNKNOWNNAME, L"Unknown name."},
        {DISP_E_BADPARAMCOUNT, L"Invalid number of parameters."},
        {DISP_E_BADVARTYPE, L"Bad variable type."},
        {DISP_E_OVERFLOW, L"Out of present range."},
        {DISP_E_BADINDEX, L"Invalid index."},
        {DISP_E_ARRAYISLOCKED, L"Memory is locked."},
        {HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), L"The system cannot find the file specified."},
        {HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), L"The system cannot find the path specified."},
        {HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND), L"The specified module could not be found."},
        {HRESULT_FROM_WIN32(ERROR_CANCELLED), L"The operation was canceled by the user."},
    };
    for (const Entry& entry : kMessages)
        if (entry.hr == hr)
            return entry.text;
    return std::wstring();
}

} // namespace win32core
