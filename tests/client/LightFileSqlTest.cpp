// The module's light file texts for the four document classes, run on the client: only the light
// files of the current iteration of the current revision with qualification 0 and class 5250.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include <win32host/Trace.h>

#include "ClientTestFolder.h"
#include "QvATLHelper.h"
#include "ZORRTWrapper.h"

namespace {

struct ClassText {
    const wchar_t* className;
    const wchar_t* sql;
};

const ClassText kClassTexts[] = {
    {L"Document",
        L"SELECT T_LightFile.OBJ_ID, T_LightFile.name, TI_DocumentMascmp1001.roleB_id, T_document.filetype FROM T_LightFile INNER JOIN                       T_DocumentItrfile ON T_LightFile.OBJ_ID = T_DocumentItrfile.roleB_id AND T_DocumentItrfile.ROLEB_CLASS_ID = %d INNER JOIN                       TI_DocumentRevcmp3212 ON TI_DocumentRevcmp3212.roleB_id = T_DocumentItrfile.roleA_id AND TI_DocumentRevcmp3212.CURRENT_ITERATION <> 0 INNER JOIN                       TI_DocumentMascmp1001 ON TI_DocumentMascmp1001.roleB_id = TI_DocumentRevcmp3212.roleA_id AND TI_DocumentMascmp1001.CURRENT_REVISION <> 0 AND TI_DocumentMascmp1001.QUALIFICATION_ID = 0 INNER JOIN                       T_document ON T_document.OBJ_ID = TI_DocumentMascmp1001.roleA_id \t\t\t\t\t  where T_document.OBJ_ID = %d"},
    {L"Drawing",
        L"SELECT T_LightFile.OBJ_ID, T_LightFile.name, TI_drawingMascmp1002.roleB_id, T_drawing.filetype FROM T_LightFile INNER JOIN \t\t\t\t\t\tT_drawingItrfile ON T_LightFile.OBJ_ID = T_drawingItrfile.roleB_id AND T_drawingItrfile.ROLEB_CLASS_ID = %d INNER JOIN \t\t\t\t\t\tTI_drawingRevcmp3220 ON TI_drawingRevcmp3220.roleB_id = T_drawingItrfile.roleA_id AND TI_drawingRevcmp3220.CURRENT_ITERATION <> 0 INNER JOIN \t\t\t\t\t\tTI_drawingMascmp1002 ON TI_drawingMascmp1002.roleB_id = TI_drawingRevcmp3220.roleA_id AND TI_drawingMascmp1002.CURRENT_REVISION <> 0 AND TI_drawingMascmp1002.QUALIFICATION_ID = 0 INNER JOIN \t\t\t\t\t\tT_drawing  ON T_drawing.OBJ_ID = TI_drawingMascmp1002.roleA_id \t\t\t\t\t\twhere T_drawing.OBJ_ID = %d"},
    {L"CappDocument",
        L"SELECT T_LightFile.OBJ_ID, T_LightFile.name, TI_CappDocumentMascmp1003.roleB_id, T_CappDocument.filetype FROM T_LightFile INNER JOIN                       T_CappDocumentItrfile ON T_LightFile.OBJ_ID = T_CappDocumentItrfile.roleB_id AND T_CappDocumentItrfile.ROLEB_CLASS_ID = %d INNER JOIN \t\t\t\t\t  TI_CappDocumentRevcmp3228 ON TI_CappDocumentRevcmp3228.roleB_id = T_CappDocumentItrfile.roleA_id AND TI_CappDocumentRevcmp3228.CURRENT_ITERATION <> 0 INNER JOIN                       TI_CappDocumentMascmp1003 ON TI_CappDocumentMascmp1003.roleB_id = TI_CappDocumentRevcmp3228.roleA_id AND TI_CappDocumentMascmp1003.CURRENT_REVISION <> 0 AND TI_CappDocumentMascmp1003.QUALIFICATION_ID = 0 INNER JOIN                       T_CappDocument ON T_CappDocument.OBJ_ID = TI_CappDocumentMascmp1003.roleA_id \t\t\t\t\t  where T_CappDocument.OBJ_ID = %d"},
    {L"3DDocument",
        L"SELECT T_LightFile.OBJ_ID, T_LightFile.name, TI_3DDocumentMascmp1004.roleB_id, T_3DDocument.filetype FROM T_LightFile INNER JOIN                       T_3DDocumentItrfile ON T_LightFile.OBJ_ID = T_3DDocumentItrfile.roleB_id AND T_3DDocumentItrfile.ROLEB_CLASS_ID = %d INNER JOIN                       TI_3DDocumentRevcmp3236 ON TI_3DDocumentRevcmp3236.roleB_id = T_3DDocumentItrfile.roleA_id AND TI_3DDocumentRevcmp3236.CURRENT_ITERATION <> 0 INNER JOIN                       TI_3DDocumentMascmp1004 ON TI_3DDocumentMascmp1004.roleB_id = TI_3DDocumentRevcmp3236.roleA_id AND TI_3DDocumentMascmp1004.CURRENT_REVISION <> 0 AND TI_3DDocumentMascmp1004.QUALIFICATION_ID = 0 INNER JOIN                       T_3DDocument ON T_3DDocument.OBJ_ID = TI_3DDocumentMascmp1004.roleA_id \t\t\t\t\t  where T_3DDocument.OBJ_ID = %d"},
};

struct Row {
    LONG objId;
    std::wstring name;
    LONG revisionId;
    std::wstring filetype;
};

std::wstring Format(const wchar_t* pszFormat, LONG classId, LONG documentId, const wchar_t* pszType = nullptr)
{
    std::vector<wchar_t> buffer(4096);
    if (pszType != nullptr)
        std::swprintf(buffer.data(), buffer.size(), pszFormat, classId, documentId, pszType);
    else
        std::swprintf(buffer.data(), buffer.size(), pszFormat, classId, documentId);
    return buffer.data();
}

// Runs a text through the current transaction, reading the four columns by name.
std::vector<Row> RunQuery(const std::wstring& sql)
{
    std::vector<Row> rows;
    CPlmSystemRef system;
    EXPECT_EQ(S_OK, system.Create());
    IQvCslTransaction* pTransaction = nullptr;
    EXPECT_EQ(S_OK, system.GetCurTransaction(&pTransaction));
    if (pTransaction == nullptr)
        return rows;
    ITransactionQuery* pQuery = nullptr;
    EXPECT_EQ(S_OK, pTransaction->CreateQuery(&pQuery));
    BSTR bstrSql = SysAllocString(sql.c_str());
    EXPECT_EQ(S_OK, pQuery->SetSqlText(bstrSql));
    EXPECT_EQ(S_OK, pQuery->Execute());
    SysFreeString(bstrSql);
    VARIANT_BOOL bEof = VARIANT_TRUE;
    for (HRESULT hr = pQuery->IsEof(&bEof); SUCCEEDED(hr) && !bEof; hr = pQuery->IsEof(&bEof)) {
        Row row;
        VARIANT var;
        const auto read = [&](const wchar_t* pszColumn) {
            BSTR bstrColumn = SysAllocString(pszColumn);
            VariantInit(&var);
            EXPECT_EQ(S_OK, pQuery->GetFieldValue(bstrColumn, &var)) << win32host::ToUtf8(pszColumn);
            SysFreeString(bstrColumn);
        };
        read(L"OBJ_ID");
        row.objId = CVariantHelper::VariantToLong(var);
        VariantClear(&var);
        read(L"name");
        row.name = CVariantHelper::VariantToString(var).GetString();
        VariantClear(&var);
        read(L"roleB_id");
        row.revisionId = CVariantHelper::VariantToLong(var);
        VariantClear(&var);
        read(L"filetype");
        row.filetype = CVariantHelper::VariantToString(var).GetString();
        VariantClear(&var);
        rows.push_back(row);
        if (FAILED(pQuery->MoveNext()))
            break;
    }
    pQuery->Release();
    pTransaction->Release();
    return rows;
}

std::vector<LONG> Ids(const std::vector<Row>& rows)
{
    std::vector<LONG> ids;
    for (const Row& row : rows)
        ids.push_back(row.objId);
    std::sort(ids.begin(), ids.end());
    return ids;
}

// One document of the class with light files in every place the texts must tell apart.
struct DocumentCase {
    LONG documentId = 0;
    LONG revisionId = 0;
    LONG pdfId = 0;
    LONG dwgId = 0;
    LONG attachmentId = 0;
    LONG otherDocumentId = 0;
    LONG otherDocumentPdfId = 0;
};

DocumentCase BuildCase(qvclient::FixtureBuilder& b, const std::wstring& cls)
{
    using qvclient::LightFileSpec;
    DocumentCase c;
    c.documentId = b.AddDocument(cls, L"doc", L"dwg");
    c.revisionId = b.AddRevision(cls, c.documentId);
    const LONG iteration = b.AddIteration(cls, c.revisionId);
    c.pdfId = b.AddLightFile(cls, iteration, LightFileSpec{L"current.pdf", L"pdf", "%PDF", {}});
    c.dwgId = b.AddLightFile(cls, iteration, LightFileSpec{L"current.dwg", L"dwg", "AC10", {}});
    // Another class of file object in the same iteration.
    c.attachmentId = b.AddLightFile(cls, iteration, LightFileSpec{L"attachment.pdf", L"pdf", "x", {}}, 5251);
    // An older iteration of the current revision.
    const LONG oldIteration = b.AddIteration(cls, c.revisionId, false);
    b.AddLightFile(cls, oldIteration, LightFileSpec{L"old-iteration.pdf", L"pdf", "x", {}});
    // An older revision, with its own current iteration.
    const LONG oldRevision = b.AddRevision(cls, c.documentId, false);
    b.AddLightFile(cls, b.AddIteration(cls, oldRevision), LightFileSpec{L"old-revision.pdf", L"pdf", "x", {}});
    // A current revision of another qualification.
    const LONG qualified = b.AddRevision(cls, c.documentId, true, 1);
    b.AddLightFile(cls, b.AddIteration(cls, qualified), LightFileSpec{L"qualified.pdf", L"pdf", "x", {}});
    // Another document of the same class.
    const qvclient::DocumentFixture other =
        b.AddDocumentWithLightFiles(cls, L"other", L"doc", {LightFileSpec{L"other.pdf", L"pdf", "x", {}}});
    c.otherDocumentId = other.documentId;
    c.otherDocumentPdfId = other.lightFileIds.empty() ? 0 : other.lightFileIds[0];
    return c;
}

class LightFileSqlTest : public ::testing::TestWithParam<ClassText> {
};

TEST_P(LightFileSqlTest, FindsTheCurrentIterationsLightFilesOnly)
{
    ClientTestFolder folder;
    const DocumentCase c = BuildCase(folder.Builder(), GetParam().className);
    ASSERT_EQ(S_OK, folder.Builder().GetStatus());
    ASSERT_EQ(S_OK, folder.OpenClient());

    win32host::TraceRecorder trace;
    const std::wstring sql = Format(GetParam().sql, 5250, c.documentId);
    const std::vector<Row> rows = RunQuery(sql);

    std::vector<LONG> expected{c.pdfId, c.dwgId};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, Ids(rows));
    for (const Row& row : rows) {
        EXPECT_EQ(c.revisionId, row.revisionId);
        EXPECT_EQ(L"dwg", row.filetype);
        EXPECT_EQ(row.objId == c.pdfId ? L"current.pdf" : L"current.dwg", row.name);
    }
    const auto statements = trace.OfKind("sql");
    ASSERT_EQ(1u, statements.size());
    EXPECT_EQ(win32host::ToUtf8(sql), statements[0].Get("text"));

    // The other document's text finds only its own file.
    EXPECT_EQ(std::vector<LONG>{c.otherDocumentPdfId}, Ids(RunQuery(Format(GetParam().sql, 5250, c.otherDocumentId))));
}

TEST_P(LightFileSqlTest, FileTypeFiltersInEitherLetterCase)
{
    ClientTestFolder folder;
    const DocumentCase c = BuildCase(folder.Builder(), GetParam().className);
    ASSERT_EQ(S_OK, folder.OpenClient());

    const std::wstring base = GetParam().sql;
    EXPECT_EQ(std::vector<LONG>{c.pdfId},
        Ids(RunQuery(Format((base + L" and T_LightFile.filetype = '%ls'").c_str(), 5250, c.documentId, L"pdf"))));
    EXPECT_EQ(std::vector<LONG>{c.dwgId},
        Ids(RunQuery(Format((base + L" and t_lightfile.filetype = '%ls'").c_str(), 5250, c.documentId, L"dwg"))));
    EXPECT_TRUE(
        RunQuery(Format((base + L" and T_LightFile.filetype = '%ls'").c_str(), 5250, c.documentId, L"step")).empty());
    // The class id parameter is what picks the file objects.
    EXPECT_EQ(std::vector<LONG>{c.attachmentId}, Ids(RunQuery(Format(base.c_str(), 5251, c.documentId))));
}

INSTANTIATE_TEST_SUITE_P(DocumentClasses, LightFileSqlTest, ::testing::ValuesIn(kClassTexts),
    [](const ::testing::TestParamInfo<ClassText>& info) {
        return std::string(info.param.className[0] == L'3' ? "ThreeD" : "") +
            win32host::ToUtf8(info.param.className[0] == L'3' ? info.param.className + 2 : info.param.className);
    });

} // namespace
