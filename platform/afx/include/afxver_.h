// Calling conventions, linkage and diagnostics macros shared by every framework header.
#pragma once

#ifndef PASCAL
#define PASCAL
#endif
#define AFXAPI
#define AFX_CDECL
#define AFX_MSG_CALL
#define AFX_COMDAT
#define AFX_NOVTABLE
#define afx_msg

// Diagnostics: in a debug build (_DEBUG) a failed ASSERT or VERIFY reports its file and line and
// breaks (AfxAssertFailedLine); otherwise ASSERT is compiled out and VERIFY still evaluates its
// expression.
#ifdef _DEBUG
#define AfxDebugBreak() ::DebugBreak()
#define ASSERT(f)                                                                                  \
    do {                                                                                           \
        if (!(f) && AfxAssertFailedLine(__FILE__, __LINE__))                                       \
            AfxDebugBreak();                                                                       \
    } while (0)
#define VERIFY(f) ASSERT(f)
#define DEBUG_ONLY(f) (f)
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define DEBUG_ONLY(f) ((void)0)
#endif
#define ASSERT_VALID(p) ((void)0)
#define ASSERT_KINDOF(class_name, object) ((void)0)
#define TRACE(...) ((void)0)

// Symbols of a module's own part of the framework (afx_module) stay inside the module; only
// DllMain leaves it where the loader finds it by name. Windows finds it as the image's entry point.
#if defined(_WIN32)
#define AFX_MODULE_EXPORT
#define AFX_MODULE_LOCAL
#else
#define AFX_MODULE_EXPORT __attribute__((visibility("default")))
#define AFX_MODULE_LOCAL __attribute__((visibility("hidden")))
#endif
