// The PLM client's COM interfaces and class ids: the user-interface context a command receives,
// the object model, transactions and queries, and the client's components.
#pragma once

#include <comdef.h>

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct IQvOtlObject;
struct IQvUiWindow;
struct IQvUiView;
struct IQvUiItem;
struct IQvUiObject;
struct ITransactionQuery;
struct IQvErrorList;
struct IQvErrorRecord;

// ---- object model ---------------------------------------------------------------------------

// One object of the client's object model.
struct IQvOtlObject : IUnknown {
    STDMETHOD(GetObjectClassName)(BSTR* pbstrClassName) = 0;
    STDMETHOD(GetObjectID)(LONG* plObjectID) = 0;
    STDMETHOD(GetPropertyValue)(BSTR bstrName, VARIANT* pvarValue) = 0;
    // pvarObjects and pvarLinks receive VT_ARRAY | VT_UNKNOWN arrays of IQvOtlObject, one link
    // per related object, in the same order. nDirection 1 follows the relation from role A.
    STDMETHOD(GetRelatedObjects)(BSTR bstrRelation, LONG nDirection, VARIANT* pvarObjects, VARIANT* pvarLinks) = 0;
    // Makes this (empty) instance an object of the class; SetObjectID then names the object.
    STDMETHOD(RawCreate)(BSTR bstrClassName) = 0;
};
__CRT_UUID_DECL(IQvOtlObject, 0x5CA1F183, 0x96FA, 0x4246, 0x86, 0x5D, 0x68, 0x1C, 0x00, 0x00, 0x00, 0x08);

struct IObjectIdentity : IUnknown {
    STDMETHOD(SetObjectID)(LONG lObjectID) = 0;
    STDMETHOD(GetObjectID)(LONG* plObjectID) = 0;
};
__CRT_UUID_DECL(IObjectIdentity, 0x5CA1F183, 0x96FA, 0x4246, 0x86, 0x5D, 0x68, 0x1C, 0x00, 0x00, 0x00, 0x00);

// The stored file content of an object (a light file, a stored file).
struct IObjectFileContent : IUnknown {
    STDMETHOD(DownloadToFile)(BSTR bstrLocalPath) = 0;
};
__CRT_UUID_DECL(IObjectFileContent, 0xB2E052A1, 0x76FC, 0x42ED, 0x84, 0x70, 0xEB, 0x4B, 0x8C, 0xD2, 0x1F, 0x03);

// ---- transactions and queries -----------------------------------------------------------------

struct ITransactionQuery : IUnknown {
    STDMETHOD(SetSqlText)(BSTR bstrSql) = 0;
    STDMETHOD(Execute)() = 0;
    STDMETHOD(IsEof)(VARIANT_BOOL* pbEof) = 0;
    STDMETHOD(MoveNext)() = 0;
    STDMETHOD(GetFieldValue)(BSTR bstrColumn, VARIANT* pvarValue) = 0;
};
__CRT_UUID_DECL(ITransactionQuery, 0x5CA1F183, 0x96FA, 0x4246, 0x86, 0x5D, 0x68, 0x1C, 0x00, 0x00, 0x00, 0x21);

struct IQvCslTransaction : IUnknown {
    STDMETHOD(CreateQuery)(ITransactionQuery** ppQuery) = 0;
};
__CRT_UUID_DECL(IQvCslTransaction, 0x5CA1F183, 0x96FA, 0x4246, 0x86, 0x5D, 0x68, 0x1C, 0x00, 0x00, 0x00, 0x20);

// ---- system services (behind CPlmSystemRef, CSystemPathHelper, CSecurityHelper, CMetaClassRef) --

struct IQvPlmSystem : IUnknown {
    STDMETHOD(GetCurTransaction)(IQvCslTransaction** ppTransaction) = 0;
    STDMETHOD(GetGlobalParam)(BSTR bstrName, LONG* plValue) = 0;
    STDMETHOD(GetSystemTempPath)(BSTR* pbstrPath) = 0;
    STDMETHOD(GetSystemConfigPath)(BSTR* pbstrPath) = 0;
    STDMETHOD(CheckObjectBehaviorMethod)(IQvOtlObject* pObject, BSTR bstrBehavior, BSTR bstrMethod, SHORT* pbAllowed) = 0;
    STDMETHOD(IsDescendentOrSelfClass)(BSTR bstrBaseClass, BSTR bstrClass, INT* pbResult) = 0;
};
__CRT_UUID_DECL(IQvPlmSystem, 0x5CA1F183, 0x96FA, 0x4246, 0x86, 0x5D, 0x68, 0x1C, 0x00, 0x00, 0x00, 0x30);

// The client's wait window (behind CPlmWait).
struct IQvWaitWindow : IUnknown {
    STDMETHOD(Init)(BSTR bstrCaption, LONG nLower, LONG nUpper, SHORT nStep, LONG nFlags) = 0;
    STDMETHOD(BeginWait)(HWND hWndParent, LPCWSTR lpszText) = 0;
    STDMETHOD(Step)() = 0;
    STDMETHOD(EndWait)() = 0;
};
__CRT_UUID_DECL(IQvWaitWindow, 0x5CA1F183, 0x96FA, 0x4246, 0x86, 0x5D, 0x68, 0x1C, 0x00, 0x00, 0x00, 0x31);

// ---- user-interface context ---------------------------------------------------------------------

struct IQvUiContext : IUnknown {
    STDMETHOD(GetCommandWindow)(IQvUiWindow** ppWindow) = 0;
    STDMETHOD(GetFlowItem)(IUnknown** ppFlowItem) = 0;
};
__CRT_UUID_DECL(IQvUiContext, 0x733EC5C3, 0xC910, 0x4CA7, 0x8D, 0x1F, 0xC9, 0x50, 0x38, 0x56, 0x24, 0x00);

struct IQvUiWindow : IUnknown {
    STDMETHOD(GetHwnd)(HWND* phWnd) = 0;
    STDMETHOD(GetParentWindow)(IQvUiWindow** ppParent) = 0;
};
__CRT_UUID_DECL(IQvUiWindow, 0x733EC5C3, 0xC910, 0x4CA7, 0x8D, 0x1F, 0xC9, 0x50, 0x38, 0x56, 0x24, 0x02);

struct IQvUiViewFrame : IUnknown {
    STDMETHOD(GetView)(IQvUiView** ppView) = 0;
};
__CRT_UUID_DECL(IQvUiViewFrame, 0x733EC5C3, 0xC910, 0x4CA7, 0x8D, 0x1F, 0xC9, 0x50, 0x38, 0x56, 0x24, 0x05);

struct IQvUiView : IUnknown {
    STDMETHOD(GetSelectedItem)(LONG nIndex, IQvUiItem** ppItem) = 0;
};
__CRT_UUID_DECL(IQvUiView, 0x733EC5C3, 0xC910, 0x4CA7, 0x8D, 0x1F, 0xC9, 0x50, 0x38, 0x56, 0x24, 0x30);

// A tree view has GetSelectedItem at the same place as IQvUiView.
struct IQvUiTreeView : IQvUiView {
};
__CRT_UUID_DECL(IQvUiTreeView, 0x733EC5C3, 0xC910, 0x4CA7, 0x8D, 0x1F, 0xC9, 0x50, 0x38, 0x56, 0x24, 0x35);

struct IQvUiItem : IUnknown {
    STDMETHOD(GetUiObject)(IQvUiObject** ppUiObject) = 0;
};
__CRT_UUID_DECL(IQvUiItem, 0x733EC5C3, 0xC910, 0x4CA7, 0x8D, 0x1F, 0xC9, 0x50, 0x38, 0x56, 0x24, 0x01);

struct IQvUiObject : IUnknown {
    STDMETHOD(GetOtlObject)(IQvOtlObject** ppObject) = 0;
};
__CRT_UUID_DECL(IQvUiObject, 0x733EC5C3, 0xC910, 0x4CA7, 0x8D, 0x1F, 0xC9, 0x50, 0x38, 0x56, 0x24, 0x03);

struct IQvUiFlowItem : IUnknown {
    STDMETHOD(GetAttachedItems)(VARIANT* pvarItems) = 0;
};
__CRT_UUID_DECL(IQvUiFlowItem, 0x733EC5C3, 0xC910, 0x4CA7, 0x8D, 0x1F, 0xC9, 0x50, 0x38, 0x56, 0x24, 0x13);

// ---- components -------------------------------------------------------------------------------

struct IQvObjectCollection : IUnknown {
    STDMETHOD(SetVariant)(VARIANT* pvarItems) = 0;
    STDMETHOD(GetCount)(ULONG* pnCount) = 0;
    STDMETHOD(GetItem)(ULONG nIndex, IUnknown** ppItem) = 0;
};
__CRT_UUID_DECL(IQvObjectCollection, 0x1B16669D, 0xBC3A, 0x4697, 0xA3, 0x8E, 0x36, 0x28, 0x74, 0x45, 0xCE, 0x62);
DEFINE_GUID(CLSID_QvObjectCollection, 0x529A1137, 0xA721, 0x48F2, 0xB5, 0xF2, 0xF1, 0x27, 0x8E, 0x55, 0xCE, 0x92);

struct IQvPdfWatermark : IUnknown {
    STDMETHOD(AddWatermark)(BSTR bstrPdfPath, LONG nStyle) = 0;
};
__CRT_UUID_DECL(IQvPdfWatermark, 0xDF730676, 0xADDC, 0x4716, 0x92, 0x66, 0x33, 0xEC, 0xEB, 0xD9, 0xA4, 0x16);
DEFINE_GUID(CLSID_QvPdfWatermark, 0xF7950E30, 0x7112, 0x4D20, 0x86, 0x10, 0x21, 0x96, 0xCB, 0xDE, 0x25, 0x16);

struct IQvErrorRecord : IUnknown {
    STDMETHOD(GetCode)(HRESULT* phrCode) = 0;
    STDMETHOD(SetCode)(HRESULT hrCode) = 0;
    STDMETHOD(SetFlag)(INT nFlag) = 0;
    STDMETHOD(SetLocation)(const wchar_t* lpszLocation) = 0;
};
__CRT_UUID_DECL(IQvErrorRecord, 0xB9523C6D, 0xE76B, 0x477B, 0x8C, 0xC2, 0x3C, 0x95, 0x58, 0x9D, 0x19, 0xA7);
DEFINE_GUID(CLSID_QvErrorRecord, 0x41FCD448, 0x1D71, 0x4B80, 0x88, 0x6C, 0xA4, 0x13, 0xAB, 0x91, 0x5D, 0xD8);

struct IQvErrorList : IUnknown {
    STDMETHOD(SetIconStyle)(INT nStyle) = 0;
    STDMETHOD(AddFromVariant)(VARIANT* pvarErrors) = 0;
    STDMETHOD(AddRecord)(IQvErrorRecord* pRecord) = 0;
    STDMETHOD(Clear)() = 0;
};
__CRT_UUID_DECL(IQvErrorList, 0xB9523C6D, 0xE76B, 0x477B, 0x8C, 0xC2, 0x3C, 0x95, 0x58, 0x9D, 0x19, 0xA8);

struct IQvErrorReporter : IUnknown {
    STDMETHOD(ShowErrors)(INT* pnResult) = 0;
    STDMETHOD(GetErrorList)(IQvErrorList** ppList) = 0;
    STDMETHOD(CreateErrorList)(IQvErrorList** ppList) = 0;
};
__CRT_UUID_DECL(IQvErrorReporter, 0xB9523C6D, 0xE76B, 0x477B, 0x8C, 0xC2, 0x3C, 0x95, 0x58, 0x9D, 0x19, 0xA6);
DEFINE_GUID(CLSID_QvErrorReporter, 0x41FCD448, 0x1D71, 0x4B80, 0x88, 0x6C, 0xA4, 0x13, 0xAB, 0x91, 0x5D, 0xD7);

struct IQvPendingErrors : IUnknown {
    STDMETHOD(GetErrors)(VARIANT* pvarErrors) = 0;
    STDMETHOD(ClearErrors)() = 0;
};
__CRT_UUID_DECL(IQvPendingErrors, 0xCB889FD5, 0x9A39, 0x47CE, 0x83, 0xD3, 0xC5, 0x92, 0x28, 0x97, 0xD3, 0x06);
DEFINE_GUID(CLSID_QvPendingErrors, 0xCB889FD5, 0x9A39, 0x47CE, 0x83, 0xD3, 0xC5, 0x92, 0x28, 0x97, 0xDA, 0x06);

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// Classes of the client that the SDK creates.
DEFINE_GUID(CLSID_StoredFile, 0xC918E86A, 0x6E63, 0x4845, 0x9A, 0xF2, 0xC4, 0x41, 0x15, 0xF6, 0x9D, 0x03);
DEFINE_GUID(CLSID_QvOtlObject, 0x5CA1F183, 0x96FA, 0x4246, 0x86, 0x5D, 0x68, 0x1C, 0x00, 0x00, 0x01, 0x00);
DEFINE_GUID(CLSID_QvPlmSystem, 0x5CA1F183, 0x96FA, 0x4246, 0x86, 0x5D, 0x68, 0x1C, 0x00, 0x00, 0x01, 0x30);
DEFINE_GUID(CLSID_QvWaitWindow, 0x5CA1F183, 0x96FA, 0x4246, 0x86, 0x5D, 0x68, 0x1C, 0x00, 0x00, 0x01, 0x31);
// The PLM system's viewer ActiveX control.
DEFINE_GUID(CLSID_QvViewerControl, 0xCB9BBBDA, 0x7B6D, 0x4523, 0xA6, 0xB3, 0xCC, 0x95, 0xE0, 0xAF, 0x2F, 0x9F);

_COM_SMARTPTR_TYPEDEF(IQvOtlObject, __uuidof(IQvOtlObject));
_COM_SMARTPTR_TYPEDEF(IObjectIdentity, __uuidof(IObjectIdentity));
_COM_SMARTPTR_TYPEDEF(IObjectFileContent, __uuidof(IObjectFileContent));
_COM_SMARTPTR_TYPEDEF(ITransactionQuery, __uuidof(ITransactionQuery));
_COM_SMARTPTR_TYPEDEF(IQvCslTransaction, __uuidof(IQvCslTransaction));
_COM_SMARTPTR_TYPEDEF(IQvPlmSystem, __uuidof(IQvPlmSystem));
_COM_SMARTPTR_TYPEDEF(IQvWaitWindow, __uuidof(IQvWaitWindow));
_COM_SMARTPTR_TYPEDEF(IQvUiContext, __uuidof(IQvUiContext));
_COM_SMARTPTR_TYPEDEF(IQvUiWindow, __uuidof(IQvUiWindow));
_COM_SMARTPTR_TYPEDEF(IQvUiViewFrame, __uuidof(IQvUiViewFrame));
_COM_SMARTPTR_TYPEDEF(IQvUiView, __uuidof(IQvUiView));
_COM_SMARTPTR_TYPEDEF(IQvUiTreeView, __uuidof(IQvUiTreeView));
_COM_SMARTPTR_TYPEDEF(IQvUiItem, __uuidof(IQvUiItem));
_COM_SMARTPTR_TYPEDEF(IQvUiObject, __uuidof(IQvUiObject));
_COM_SMARTPTR_TYPEDEF(IQvUiFlowItem, __uuidof(IQvUiFlowItem));
_COM_SMARTPTR_TYPEDEF(IQvObjectCollection, __uuidof(IQvObjectCollection));
_COM_SMARTPTR_TYPEDEF(IQvPdfWatermark, __uuidof(IQvPdfWatermark));
_COM_SMARTPTR_TYPEDEF(IQvErrorRecord, __uuidof(IQvErrorRecord));
_COM_SMARTPTR_TYPEDEF(IQvErrorList, __uuidof(IQvErrorList));
_COM_SMARTPTR_TYPEDEF(IQvErrorReporter, __uuidof(IQvErrorReporter));
_COM_SMARTPTR_TYPEDEF(IQvPendingErrors, __uuidof(IQvPendingErrors));
