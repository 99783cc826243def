// Message map entries: the signatures of the handlers and the ON_ macros that fill a map.
// Included by afxwin.h; the macros name CWnd and CCmdTarget, which afxwin.h declares.
#pragma once

// How a map entry's handler is called: its parameters and result.
enum AfxSig {
    AfxSig_end = 0,  // marks the end of a map
    AfxSig_vv,       // void (void): OnDestroy
    AfxSig_vwii,     // void (UINT, int, int): OnSize
    AfxSig_lwl,      // LRESULT (WPARAM, LPARAM): ON_MESSAGE
    AfxSigCmd_v,     // void (void): ON_COMMAND, ON_BN_CLICKED, ON_CONTROL
    AfxSigNotify_v,  // void (NMHDR*, LRESULT*): ON_NOTIFY
};

// A map stores every handler as AFX_PMSG; the casts between member function types are the
// design, so the map's own warning about them is off between BEGIN_ and END_MESSAGE_MAP.
#if defined(__GNUC__)
#define PTM_WARNING_DISABLE _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wcast-function-type\"")
#define PTM_WARNING_RESTORE _Pragma("GCC diagnostic pop")
#else
#define PTM_WARNING_DISABLE
#define PTM_WARNING_RESTORE
#endif

// Notification code of a command sent by WM_COMMAND (the window's own command).
#define CN_COMMAND 0

#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (WORD)id, (WORD)id, AfxSigCmd_v, static_cast<AFX_PMSG>(memberFxn)},

#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    {WM_COMMAND, (WORD)wNotifyCode, (WORD)id, (WORD)id, AfxSigCmd_v, (static_cast<AFX_PMSG>(memberFxn))},

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)

// The handler stores the notification's result in *pResult; the sender receives it as the
// result of WM_NOTIFY.
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                  \
    {WM_NOTIFY, (WORD)(int)wNotifyCode, (WORD)id, (WORD)id, AfxSigNotify_v,                    \
        (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*)>(memberFxn))},

#define ON_MESSAGE(message, memberFxn) \
    {message, 0, 0, 0, AfxSig_lwl,     \
        (AFX_PMSG)(AFX_PMSGW)(static_cast<LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM)>(memberFxn))},

#define ON_WM_SIZE()                  \
    {WM_SIZE, 0, 0, 0, AfxSig_vwii, \
        (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, int, int)>(&ThisClass::OnSize))},

#define ON_WM_DESTROY()               \
    {WM_DESTROY, 0, 0, 0, AfxSig_vv, \
        (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)(void)>(&ThisClass::OnDestroy))},

#define DECLARE_MESSAGE_MAP()                                  \
protected:                                                     \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();       \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                            \
    PTM_WARNING_DISABLE                                                                    \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }   \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()                                 \
    {                                                                                      \
        typedef theClass ThisClass;                                                        \
        typedef baseClass TheBaseClass;                                                    \
        (void)sizeof(ThisClass);                                                           \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                  \
    {0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}                                                  \
    }                                                                                      \
    ;                                                                                      \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                    \
    }                                                                                      \
    PTM_WARNING_RESTORE
