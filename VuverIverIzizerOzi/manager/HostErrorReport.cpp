#include "manager/HostErrorReport.h"

#include <comdef.h>

#include <QvInterfaces.h>

namespace {

// Every report names this source with the site's line number.
const wchar_t s_szReportSource[] = L"DocumentSelectDlg";

// The reporter's current list, or a new one; null when it has neither.
IQvErrorListPtr GetReporterList(IQvErrorReporter* pReporter)
{
    IQvErrorListPtr spList;
    pReporter->GetErrorList(&spList);
    if (spList == NULL)
        pReporter->CreateErrorList(&spList);
    return spList;
}

// The code of the last error in the client's pending list. FALSE when it cannot be read.
BOOL GetLastPendingCode(VARIANT* pvarErrors, HRESULT& hrLast)
{
    IQvObjectCollectionPtr spCollection;
    HRESULT hr = CoCreateInstance(CLSID_QvObjectCollection, NULL, CLSCTX_ALL, __uuidof(IQvObjectCollection),
        reinterpret_cast<void**>(&spCollection));
    if (FAILED(hr))
        return FALSE;
    if (FAILED(spCollection->SetVariant(pvarErrors)))
        return FALSE;
    ULONG nCount = 0;
    spCollection->GetCount(&nCount);
    if (nCount == 0)
        return FALSE;

    IUnknownPtr spItem;
    if (FAILED(spCollection->GetItem(nCount - 1, &spItem)) || spItem == NULL)
        return FALSE;
    IQvErrorRecordPtr spRecord;
    if (FAILED(spItem->QueryInterface(__uuidof(IQvErrorRecord), reinterpret_cast<void**>(&spRecord))) ||
        spRecord == NULL)
        return FALSE;
    return SUCCEEDED(spRecord->GetCode(&hrLast));
}

} // namespace

BOOL IsSilentHostStatus(HRESULT hrCode)
{
    for (size_t i = 0; i < _countof(HOST_SILENT_STATUSES); ++i) {
        if (hrCode == HOST_SILENT_STATUSES[i])
            return TRUE;
    }
    return FALSE;
}

void ReportHostError(HRESULT hrCode, int nLine, int nIconStyle)
{
    if (IsSilentHostStatus(hrCode))
        return;

    IQvErrorReporterPtr spReporter;
    if (FAILED(CoCreateInstance(CLSID_QvErrorReporter, NULL, CLSCTX_ALL, __uuidof(IQvErrorReporter),
            reinterpret_cast<void**>(&spReporter))))
        return;
    IQvErrorListPtr spList = GetReporterList(spReporter);
    if (spList == NULL)
        return;
    spList->Clear();

    IQvErrorRecordPtr spRecord;
    if (SUCCEEDED(CoCreateInstance(CLSID_QvErrorRecord, NULL, CLSCTX_ALL, __uuidof(IQvErrorRecord),
            reinterpret_cast<void**>(&spRecord)))) {
        CString strLocation;
        strLocation.Format(L"%s:%d", s_szReportSource, nLine);
        spRecord->SetCode(hrCode);
        spRecord->SetLocation(strLocation);
        spRecord->SetFlag(0);
    }
    spList->AddRecord(spRecord);
    spList->SetIconStyle(nIconStyle);

    int nResult = 0;
    spReporter->ShowErrors(&nResult);
}

void ReportHostErrorChained(HRESULT hrCode, int nLine)
{
    if (IsSilentHostStatus(hrCode))
        return;

    IQvPendingErrorsPtr spPending;
    if (FAILED(CoCreateInstance(CLSID_QvPendingErrors, NULL, CLSCTX_ALL, __uuidof(IQvPendingErrors),
            reinterpret_cast<void**>(&spPending))))
        return;
    _variant_t varErrors;
    spPending->GetErrors(&varErrors);
    spPending->ClearErrors();

    if (varErrors.vt == VT_EMPTY) {
        ReportHostError(hrCode, nLine, MB_ICONERROR);
        return;
    }

    IQvErrorReporterPtr spReporter;
    if (FAILED(CoCreateInstance(CLSID_QvErrorReporter, NULL, CLSCTX_ALL, __uuidof(IQvErrorReporter),
            reinterpret_cast<void**>(&spReporter))))
        return;
    IQvErrorListPtr spList = GetReporterList(spReporter);
    if (spList == NULL)
        return;

    // The client's own errors already explain a failure that ends with our code.
    HRESULT hrLast = S_OK;
    if (!GetLastPendingCode(&varErrors, hrLast) || hrLast == hrCode) {
        spList->AddFromVariant(&varErrors);
        int nResult = 0;
        spReporter->ShowErrors(&nResult);
    } else {
        spList->Clear();
        ReportHostError(hrCode, nLine, MB_ICONERROR);
    }
}
