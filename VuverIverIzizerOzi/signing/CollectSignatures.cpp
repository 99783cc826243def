#include "signing/CollectSignatures.h"

#include <vector>

#include <comdef.h>

#include <QvATLHelper.h>
#include <ZORRTWrapper.h>

#include "catalogue/CurrentQuery.h"

#include "catalogue/LightFileObj.h"
#include "catalogue/SignInfo.h"

namespace {

struct SignatureIdQuery {
    LPCWSTR lpszClassName;
    LPCWSTR lpszSql;
};

// The signature table keys a revision by the class id of its document.
const SignatureIdQuery s_signatureIdQueries[] = {
    {L"Document", L"SELECT roleB_id FROM T_DocumentSignature WHERE ROLEA_CLASS_ID = 1001 AND Rev_id = %d"},
    {L"Drawing", L"SELECT roleB_id FROM T_DocumentSignature WHERE ROLEA_CLASS_ID = 1002 AND Rev_id = %d"},
    {L"CappDocument", L"SELECT roleB_id FROM T_DocumentSignature WHERE ROLEA_CLASS_ID = 1003 AND Rev_id = %d"},
    {L"3DDocument", L"SELECT roleB_id FROM T_DocumentSignature WHERE ROLEA_CLASS_ID = 1004 AND Rev_id = %d "},
};

const wchar_t s_szSignatureDetailSql[] =
    L"SELECT T_SignatureCfg.Format, T_SignatureCfg.SignContent, T_SignatureCfg.Font, T_SignatureCfg.PictureStyle,"
    L" T_SignatureCfg.PictureFileID, T_Signature.creationdate, T_SignatureLocationCfg.NameLocation,"
    L" T_SignatureLocationCfg.TimeLocation, T_Signature.DocWfState, T_Signature.WfTemplate FROM T_Signature"
    L" INNER JOIN T_SignatureLocationCfg ON T_Signature.DocWfState = T_SignatureLocationCfg.WfState"
    L" AND T_Signature.WfTemplate = T_SignatureLocationCfg.WfTemplate"
    L" INNER JOIN T_SignatureCfg ON T_Signature.UserID = T_SignatureCfg.UserID WHERE T_Signature.OBJ_ID = %d";

CString ReadString(ITransactionQuery* pQuery, LPCWSTR lpszColumn)
{
    _variant_t varValue;
    pQuery->GetFieldValue(_bstr_t(lpszColumn), &varValue);
    return CVariantHelper::VariantToString(varValue);
}

// The date part of a "date time" value; a value without a blank has none.
CString DatePart(const CString& strDateTime)
{
    int nBlank = strDateTime.Find(L' ');
    return nBlank < 0 ? CString() : strDateTime.Left(nBlank);
}

} // namespace

HRESULT CollectSignatures(CLightDocumentRevObj& docRev)
{
    if (docRev.m_bSignCollected != 0)
        return 0;

    CPlmSystemRef plmSystem;
    IQvCslTransactionPtr spTransaction;
    ITransactionQueryPtr spQuery;
    HRESULT hr = OpenCurrentQuery(plmSystem, spTransaction, spQuery);
    if (FAILED(hr))
        return hr;

    CString strSql;
    for (size_t i = 0; i < _countof(s_signatureIdQueries); ++i) {
        if (docRev.m_strClassName.CompareNoCase(s_signatureIdQueries[i].lpszClassName) == 0) {
            strSql.Format(s_signatureIdQueries[i].lpszSql, docRev.m_nRevID);
            break;
        }
    }
    spQuery->SetSqlText(_bstr_t(strSql));
    spQuery->Execute();

    std::vector<UINT> arrSignatureIDs;
    VARIANT_BOOL bEof = VARIANT_TRUE;
    HRESULT hrFirstEof = spQuery->IsEof(&bEof);
    if (SUCCEEDED(hrFirstEof)) {
        while (bEof == VARIANT_FALSE) {
            _variant_t varID;
            spQuery->GetFieldValue(_bstr_t(L"roleB_id"), &varID);
            arrSignatureIDs.push_back(static_cast<UINT>(CVariantHelper::VariantToLong(varID)));
            if (FAILED(spQuery->MoveNext()) || FAILED(spQuery->IsEof(&bEof)))
                return hrFirstEof;
        }
    }

    for (size_t i = 0; i < arrSignatureIDs.size(); ++i) {
        strSql.Format(s_szSignatureDetailSql, static_cast<int>(arrSignatureIDs[i]));
        spQuery->SetSqlText(_bstr_t(strSql));
        spQuery->Execute();

        bEof = VARIANT_TRUE;
        hrFirstEof = spQuery->IsEof(&bEof);
        if (FAILED(hrFirstEof))
            continue;
        while (bEof == VARIANT_FALSE) {
            CSignInfo* pSign = new CSignInfo;
            docRev.m_lstSignInfo.AddTail(pSign);

            _variant_t varFormat;
            spQuery->GetFieldValue(_bstr_t(L"Format"), &varFormat);
            pSign->m_nFormat = CVariantHelper::VariantToLong(varFormat);
            pSign->m_strSignContent = ReadString(spQuery, L"SignContent");
            pSign->m_strFont = ReadString(spQuery, L"Font");
            pSign->m_strPictureStyle = ReadString(spQuery, L"PictureStyle");
            pSign->m_strPictureFileID = ReadString(spQuery, L"PictureFileID");
            pSign->m_strCreationDate = DatePart(ReadString(spQuery, L"creationdate"));
            pSign->m_strNameLocation = ReadString(spQuery, L"NameLocation");
            pSign->m_strTimeLocation = ReadString(spQuery, L"TimeLocation");
            pSign->m_strDocWfState = ReadString(spQuery, L"DocWfState");
            pSign->m_strWfTemplate = ReadString(spQuery, L"WfTemplate");

            // A broken cursor leaves the flag clear, so a later call reads again.
            if (FAILED(spQuery->MoveNext()) || FAILED(spQuery->IsEof(&bEof)))
                return hrFirstEof;
        }
    }

    docRev.m_bSignCollected = 1;
    return 1;
}
