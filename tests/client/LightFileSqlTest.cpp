// The module's light file texts for the four document classes, run on the client: only the light
// files of the current iteration of the current revision with qualification 0 and class 5250.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <win32host/Trace.h>

#include "ClientFolder.h"
#include "ExpectedSql.h"
#include "QvATLHelper.h"
#include "ZORRTWrapper.h"

namespace {

const wchar_t* const kClasses[] = {L"Document", L"Drawing", L"CappDocument", L"3DDocument"};

struct Row {
    LONG objId;
    std::wstring name;
    LONG revisionId;
    std::wstring filetype;
};

// The module's text of the key for another document and light file class.
std::wstring Sql(const std::string& key, LONG documentId, LONG lightFileClass = 5250)
{
    std::wstring sql = viztest::ExpectedSql(key);
    sql.replace(sql.find(L"= 5250"), 6, L"= " + std::to_wstring(lightFileClass));
    sql.replace(sql.find(L"OBJ_ID = 4711"), 13, L"OBJ_ID = " + std::to_wstring(documentId));
    return sql;
}

// Runs a text through the current transaction, reading the four columns by name.
std::vector<Row> RunQuery(const std::wstring& sql)
{
    std::vector<Row> rows;
    const ITransactionQueryPtr query = viztest::NewQuery();
    EXPECT_TRUE(query != nullptr);
    if (query == nullptr || FAILED(viztest::RunText(query, sql)))
        return rows;
    VARIANT_BOOL bEof = VARIANT_TRUE;
    for (HRESULT hr = query->IsEof(&bEof); SUCCEEDED(hr) && !bEof; hr = query->IsEof(&bEof)) {
        const auto number = [&](const wchar_t* pszColumn) {
            return CVariantHelper::VariantToLong(viztest::FieldOf(query, pszColumn));
        };
        const auto text = [&](const wchar_t* pszColumn) {
            return std::wstring(CVariantHelper::VariantToString(viztest::FieldOf(query, pszColumn)).GetString());
        };
        rows.push_back({number(L"OBJ_ID"), text(L"name"), number(L"roleB_id"), text(L"filetype")});
        if (FAILED(query->MoveNext()))
            break;
    }
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

class LightFileSqlTest : public ::testing::TestWithParam<const wchar_t*> {
protected:
    std::string Key(const char* family) const { return std::string("lightfile.") + family + win32host::ToUtf8(GetParam()); }
};

TEST_P(LightFileSqlTest, FindsTheCurrentIterationsLightFilesOnly)
{
    viztest::ClientFolder folder;
    const DocumentCase c = BuildCase(folder.Fixture(), GetParam());
    ASSERT_EQ(S_OK, folder.Fixture().GetStatus());
    ASSERT_EQ(S_OK, folder.Open());

    const std::vector<Row> rows = RunQuery(Sql(Key("all."), c.documentId));

    std::vector<LONG> expected{c.pdfId, c.dwgId};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, Ids(rows));
    for (const Row& row : rows) {
        EXPECT_EQ(c.revisionId, row.revisionId);
        EXPECT_EQ(L"dwg", row.filetype);
        EXPECT_EQ(row.objId == c.pdfId ? L"current.pdf" : L"current.dwg", row.name);
    }

    // The other document's text finds only its own file.
    EXPECT_EQ(std::vector<LONG>{c.otherDocumentPdfId}, Ids(RunQuery(Sql(Key("all."), c.otherDocumentId))));
    // The class id parameter is what picks the file objects.
    EXPECT_EQ(std::vector<LONG>{c.attachmentId}, Ids(RunQuery(Sql(Key("all."), c.documentId, 5251))));
}

TEST_P(LightFileSqlTest, FileTypeFiltersOfBothLookups)
{
    viztest::ClientFolder folder;
    const DocumentCase c = BuildCase(folder.Fixture(), GetParam());
    ASSERT_EQ(S_OK, folder.Open());

    for (const char* family : {"find.", "lookup."}) {
        for (const char* type : {".pdf", ".dwg", ".step"}) {
            const std::string key = Key(family) + type;
            const std::wstring sql = Sql(key, c.documentId);
            // The type in the text, not the one asked: the 3D class looks for STEP files.
            std::vector<LONG> expected;
            if (sql.find(L"'pdf'") != std::wstring::npos)
                expected = {c.pdfId};
            else if (sql.find(L"'dwg'") != std::wstring::npos)
                expected = {c.dwgId};
            EXPECT_EQ(expected, Ids(RunQuery(sql))) << key;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(DocumentClasses, LightFileSqlTest, ::testing::ValuesIn(kClasses),
    [](const ::testing::TestParamInfo<const wchar_t*>& info) {
        return info.param[0] == L'3' ? "ThreeD" + win32host::ToUtf8(info.param + 2) : win32host::ToUtf8(info.param);
    });

} // namespace
