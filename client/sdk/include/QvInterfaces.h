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
DECLSPEC_UUID_OF(IQvOtlObject, "5CA1F183-96FA-4246-865D-681C00000008");

struct IObjectIdentity : IUnknown {
    STDMETHOD(SetObjectID)(LONG lObjectID) = 0;
    STDMETHOD(GetObjectID)(LONG* plObjectID) = 0;
};
DECLSPEC_UUID_OF(IObjectIdentity, "5CA1F183-96FA-4246-865D-681C00000000");

// The stored file content of an object (a light file, a stored file).
struct IObjectFileContent : IUnknown {
    STDMETHOD(DownloadToFile)(BSTR bstrLocalPath) = 0;
};
DECLSPEC_UUID_OF(IObjectFileContent, "B2E052A1-76FC-42ED-8470-EB4B8CD21F03");

// ---- transactions and queries -----------------------------------------------------------------

struct ITransactionQuery : IUnknown {
    STDMETHOD(SetSqlText)(BSTR bstrSql) = 0;
    STDMETHOD(Execute)() = 0;
    STDMETHOD(IsEof)(VARIANT_BOOL* pbEof) = 0;
    STDMETHOD(MoveNext)() = 0;
    STDMETHOD(GetFieldValue)(BSTR bstrColumn, VARIANT* pvarValue) = 0;
};
DECLSPEC_UUID_OF(ITransactionQuery, "5CA1F183-96FA-4246-865D-681C00000021");

struct IQvCslTransaction : IUnknown {
    STDMETHOD(CreateQuery)(ITransactionQuery** ppQuery) = 0;
};
DECLSPEC_UUID_OF(IQvCslTransaction, "5CA1F183-96FA-4246-865D-681C00000020");

// ---- system services (behind CPlmSystemRef, CSystemPathHelper, CSecurityHelper, CMetaClassRef) --

struct IQvPlmSystem : IUnknown {
    STDMETHOD(GetCurTransaction)(IQvCslTransaction** ppTransaction) = 0;
    STDMETHOD(GetGlobalParam)(BSTR bstrName, LONG* plValue) = 0;
    STDMETHOD(GetSystemTempPath)(BSTR* pbstrPath) = 0;
    STDMETHOD(GetSystemConfigPath)(BSTR* pbstrPath) = 0;
    STDMETHOD(CheckObjectBehaviorMethod)(IQvOtlObject* pObject, BSTR bstrBehavior, BSTR bstrMethod, SHORT* pbAllowed) = 0;
    STDMETHOD(IsDescendentOrSelfClass)(BSTR bstrBaseClass, BSTR bstrClass, INT* pbResult) = 0;
};
DECLSPEC_UUID_OF(IQvPlmSystem, "5CA1F183-96FA-4246-865D-681C00000030");

// The client's wait window (behind CPlmWait).
struct IQvWaitWindow : IUnknown {
    STDMETHOD(Init)(BSTR bstrCaption, LONG nLower, LONG nUpper, SHORT nStep, LONG nFlags) = 0;
    STDMETHOD(BeginWait)(HWND hWndParent, LPCWSTR lpszText) = 0;
    STDMETHOD(Step)() = 0;
    STDMETHOD(EndWait)() = 0;
};
DECLSPEC_UUID_OF(IQvWaitWindow, "5CA1F183-96FA-4246-865D-681C00000031");

// ---- user-interface context ---------------------------------------------------------------------

struct IQvUiContext : IUnknown {
    STDMETHOD(GetCommandWindow)(IQvUiWindow** ppWindow) = 0;
    STDMETHOD(GetFlowItem)(IUnknown** ppFlowItem) = 0;
};
DECLSPEC_UUID_OF(IQvUiContext, "733EC5C3-C910-4CA7-8D1F-C95038562400");

struct IQvUiWindow : IUnknown {
    STDMETHOD(GetHwnd)(HWND* phWnd) = 0;
    STDMETHOD(GetParentWindow)(IQvUiWindow** ppParent) = 0;
};
DECLSPEC_UUID_OF(IQvUiWindow, "733EC5C3-C910-4CA7-8D1F-C95038562402");

struct IQvUiViewFrame : IUnknown {
    STDMETHOD(GetView)(IQvUiView** ppView) = 0;
};
DECLSPEC_UUID_OF(IQvUiViewFrame, "733EC5C3-C910-4CA7-8D1F-C95038562405");

struct IQvUiView : IUnknown {
    STDMETHOD(GetSelectedItem)(LONG nIndex, IQvUiItem** ppItem) = 0;
};
DECLSPEC_UUID_OF(IQvUiView, "733EC5C3-C910-4CA7-8D1F-C95038562430");

// A tree view has GetSelectedItem at the same place as IQvUiView.
struct IQvUiTreeView : IQvUiView {
};
DECLSPEC_UUID_OF(IQvUiTreeView, "733EC5C3-C910-4CA7-8D1F-C95038562435");

struct IQvUiItem : IUnknown {
    STDMETHOD(GetUiObject)(IQvUiObject** ppUiObject) = 0;
};
DECLSPEC_UUID_OF(IQvUiItem, "733EC5C3-C910-4CA7-8D1F-C95038562401");

struct IQvUiObject : IUnknown {
    STDMETHOD(GetOtlObject)(IQvOtlObject** ppObject) = 0;
};
DECLSPEC_UUID_OF(IQvUiObject, "733EC5C3-C910-4CA7-8D1F-C95038562403");

struct IQvUiFlowItem : IUnknown {
    STDMETHOD(GetAttachedItems)(VARIANT* pvarItems) = 0;
};
DECLSPEC_UUID_OF(IQvUiFlowItem, "733EC5C3-C910-4CA7-8D1F-C95038562413");

// ---- components -------------------------------------------------------------------------------

struct IQvObjectCollection : IUnknown {
    STDMETHOD(SetVariant)(VARIANT* pvarItems) = 0;
    STDMETHOD(GetCount)(ULONG* pnCount) = 0;
    STDMETHOD(GetItem)(ULONG nIndex, IUnknown** ppItem) = 0;
};
DECLSPEC_UUID_OF(IQvObjectCollection, "1B16669D-BC3A-4697-A38E-36287445CE62");
DEFINE_GUID_FROM_STRING(CLSID_QvObjectCollection, "529A1137-A721-48F2-B5F2-F1278E55CE92");

struct IQvPdfWatermark : IUnknown {
    STDMETHOD(AddWatermark)(BSTR bstrPdfPath, LONG nStyle) = 0;
};
DECLSPEC_UUID_OF(IQvPdfWatermark, "DF730676-ADDC-4716-9266-33ECEBD9A416");
DEFINE_GUID_FROM_STRING(CLSID_QvPdfWatermark, "F7950E30-7112-4D20-8610-2196CBDE2516");

struct IQvErrorRecord : IUnknown {
    STDMETHOD(GetCode)(HRESULT* phrCode) = 0;
    STDMETHOD(SetCode)(HRESULT hrCode) = 0;
    STDMETHOD(SetFlag)(INT nFlag) = 0;
    STDMETHOD(SetLocation)(const wchar_t* lpszLocation) = 0;
};
DECLSPEC_UUID_OF(IQvErrorRecord, "B9523C6D-E76B-477B-8CC2-3C95589D19A7");
DEFINE_GUID_FROM_STRING(CLSID_QvErrorRecord, "41FCD448-1D71-4B80-886C-A413AB915DD8");

struct IQvErrorList : IUnknown {
    STDMETHOD(SetIconStyle)(INT nStyle) = 0;
    STDMETHOD(AddFromVariant)(VARIANT* pvarErrors) = 0;
    STDMETHOD(AddRecord)(IQvErrorRecord* pRecord) = 0;
    STDMETHOD(Clear)() = 0;
};
DECLSPEC_UUID_OF(IQvErrorList, "B9523C6D-E76B-477B-8CC2-3C95589D19A8");

struct IQvErrorReporter : IUnknown {
    STDMETHOD(ShowErrors)(INT* pnResult) = 0;
    STDMETHOD(GetErrorList)(IQvErrorList** ppList) = 0;
    STDMETHOD(CreateErrorList)(IQvErrorList** ppList) = 0;
};
DECLSPEC_UUID_OF(IQvErrorReporter, "B9523C6D-E76B-477B-8CC2-3C95589D19A6");
DEFINE_GUID_FROM_STRING(CLSID_QvErrorReporter, "41FCD448-1D71-4B80-886C-A413AB915DD7");

struct IQvPendingErrors : IUnknown {
    STDMETHOD(GetErrors)(VARIANT* pvarErrors) = 0;
    STDMETHOD(ClearErrors)() = 0;
};
DECLSPEC_UUID_OF(IQvPendingErrors, "CB889FD5-9A39-47CE-83D3-C5922897D306");
DEFINE_GUID_FROM_STRING(CLSID_QvPendingErrors, "CB889FD5-9A39-47CE-83D3-C5922897DA06");

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// Classes of the client that the SDK creates.
DEFINE_GUID_FROM_STRING(CLSID_StoredFile, "C918E86A-6E63-4845-9AF2-C44115F69D03");
DEFINE_GUID_FROM_STRING(CLSID_QvOtlObject, "5CA1F183-96FA-4246-865D-681C00000100");
DEFINE_GUID_FROM_STRING(CLSID_QvPlmSystem, "5CA1F183-96FA-4246-865D-681C00000130");
DEFINE_GUID_FROM_STRING(CLSID_QvWaitWindow, "5CA1F183-96FA-4246-865D-681C00000131");
// The PLM system's viewer ActiveX control.
DEFINE_GUID_FROM_STRING(CLSID_QvViewerControl, "CB9BBBDA-7B6D-4523-A6B3-CC95E0AF2F9F");

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
