// What the client's database says of a delivered copy's verification mark: every answer, on the
// database the fixture makes (plm.db, or the test server when the suite runs on one).
#include <gtest/gtest.h>

#include <functional>

#include "ClientFolder.h"
#include "qvclient/MarkVerification.h"
#include "qvclient/VerificationMark.h"

namespace {

using qvclient::MarkAnswer;
using qvclient::MarkContent;
using qvclient::MarkVerdict;

// A drawing with one current revision whose iteration holds a PDF and a DWG; the mark names the PDF.
struct Delivered {
    qvclient::DocumentFixture document;
    MarkContent mark;
};

Delivered DeliverDrawing(qvclient::FixtureBuilder& fixture)
{
    Delivered delivered;
    delivered.document = fixture.AddDocumentWithLightFiles(L"Drawing", L"GR200-00-00", L"dwg",
        {{L"GR200-00-00.pdf", L"pdf", "%PDF-1.4 the first issue", {}}, {L"GR200-00-00.dwg", L"dwg", "AC1027", {}}});
    delivered.mark.lightFileId = delivered.document.lightFileIds.at(0);
    delivered.mark.documentId = delivered.document.documentId;
    delivered.mark.className = L"Drawing";
    delivered.mark.revisionId = delivered.document.revisionId;
    // SHA-256 of "%PDF-1.4 the first issue", as the fixture stores it with the file.
    std::unique_ptr<qvclient::IDbCursor> cursor;
    EXPECT_EQ(S_OK, fixture.GetDatabase()->Query(L"SELECT s.SHA256 FROM T_LightFile l JOIN T_StoredFile s ON "
                                                 L"s.OBJ_ID = l.STOREDFILE_ID WHERE l.OBJ_ID = ?",
                        {qvclient::DbValue::Integer(delivered.mark.lightFileId)}, cursor));
    const std::wstring sha = cursor->GetValue(0).text;
    delivered.mark.sha256.assign(sha.begin(), sha.end());
    EXPECT_EQ(64u, delivered.mark.sha256.size());
    delivered.mark.user = L"张工";
    delivered.mark.date = "2026-12-07";
    return delivered;
}

void UnknownDocument(MarkVerdict& expected)
{
    expected.answer = MarkAnswer::Unknown;
    expected.documentKnown = false;
}

TEST(MarkVerification, EachStateOfTheDocumentGivesItsAnswer)
{
    const struct {
        const char* name;
        // Changes the database after the copy was delivered (and may change the mark read back).
        std::function<void(qvclient::FixtureBuilder&, Delivered&, MarkVerdict& expected)> after;
    } cases[] = {
        {"nothing changed", [](auto&, auto&, MarkVerdict& expected) { expected.answer = MarkAnswer::Current; }},
        {"a new revision released",
            [](qvclient::FixtureBuilder& f, Delivered& d, MarkVerdict& expected) {
                const LONG revision = f.AddRevision(L"Drawing", d.document.documentId);
                const LONG user = f.AddUser(L"li", L"李工");
                f.AddSignature(L"Drawing", d.document.documentId, revision, user, L"2026-12-08 10:15:00", L"审核", L"图纸");
                f.AddSignature(L"Drawing", d.document.documentId, revision, user, L"2026-12-09 16:40:00", L"批准", L"图纸");
                f.AddSignature(L"Drawing", d.document.documentId, d.document.revisionId, user, L"2026-12-30 08:00:00",
                    L"批准", L"图纸");
                expected.answer = MarkAnswer::Superseded;
                expected.currentRevisionId = revision;
                expected.releasedWhen = L"2026-12-09 16:40:00";
            }},
        {"a new revision not signed yet",
            [](qvclient::FixtureBuilder& f, Delivered& d, MarkVerdict& expected) {
                expected.answer = MarkAnswer::Superseded;
                expected.currentRevisionId = f.AddRevision(L"Drawing", d.document.documentId);
            }},
        {"checked in again: the light file is no longer in the revision",
            [](qvclient::FixtureBuilder& f, Delivered& d, MarkVerdict& expected) {
                const LONG iteration = f.AddIteration(L"Drawing", d.document.revisionId);
                f.AddLightFile(L"Drawing", iteration, {L"GR200-00-00.pdf", L"pdf", "%PDF-1.4 the second issue", {}});
                expected.answer = MarkAnswer::Changed;
            }},
        {"the stored content replaced",
            [](qvclient::FixtureBuilder& f, Delivered& d, MarkVerdict& expected) {
                const std::string other(64, 'e');
                f.Execute(L"UPDATE T_StoredFile SET SHA256 = ? WHERE OBJ_ID = (SELECT STOREDFILE_ID FROM T_LightFile "
                          L"WHERE OBJ_ID = ?)",
                    {qvclient::DbValue::Text(std::wstring(other.begin(), other.end())),
                        qvclient::DbValue::Integer(d.mark.lightFileId)});
                expected.answer = MarkAnswer::Changed;
                expected.storedSha256 = other;
            }},
        {"withdrawn: no current revision",
            [](qvclient::FixtureBuilder& f, Delivered& d, MarkVerdict& expected) {
                f.Execute(L"UPDATE TI_drawingMascmp1002 SET CURRENT_REVISION = 0 WHERE roleA_id = ?",
                    {qvclient::DbValue::Integer(d.document.documentId)});
                expected.answer = MarkAnswer::Unknown;
            }},
        {"a document this database does not have",
            [](auto&, Delivered& d, MarkVerdict& expected) { d.mark.documentId += 100000; UnknownDocument(expected); }},
        {"a class that holds no documents",
            [](auto&, Delivered& d, MarkVerdict& expected) { d.mark.className = L"Part"; UnknownDocument(expected); }},
        {"the same document id in another document class",
            [](auto&, Delivered& d, MarkVerdict& expected) { d.mark.className = L"CappDocument"; UnknownDocument(expected); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        viztest::ClientFolder folder;
        Delivered delivered = DeliverDrawing(folder.Fixture());
        MarkVerdict expected;
        expected.documentKnown = true;
        c.after(folder.Fixture(), delivered, expected);
        ASSERT_EQ(S_OK, folder.Open());

        MarkVerdict verdict;
        ASSERT_EQ(S_OK, qvclient::VerifyMark(*folder.Client().GetDatabase(), delivered.mark, verdict));
        EXPECT_EQ(static_cast<int>(expected.answer), static_cast<int>(verdict.answer));
        EXPECT_EQ(expected.currentRevisionId, verdict.currentRevisionId);
        EXPECT_EQ(expected.releasedWhen, verdict.releasedWhen);
        EXPECT_EQ(expected.storedSha256, verdict.storedSha256);
        EXPECT_EQ(expected.documentKnown, verdict.documentKnown);
    }
}

TEST(MarkVerification, ALightFileIsTracedToItsDocumentClassAndRevision)
{
    viztest::ClientFolder folder;
    folder.Fixture().AddDocumentWithLightFiles(L"Document", L"说明书", L"doc", {{L"说明书.pdf", L"pdf", "%PDF", {}}});
    const Delivered drawing = DeliverDrawing(folder.Fixture());
    const qvclient::DocumentFixture capp = folder.Fixture().AddDocumentWithLightFiles(
        L"CappDocument", L"工艺卡", L"xls", {{L"工艺卡.pdf", L"pdf", "%PDF capp", {}}});
    ASSERT_EQ(S_OK, folder.Open());

    const struct {
        LONG lightFileId;
        HRESULT hr;
        LONG documentId;
        const wchar_t* className;
        LONG revisionId;
    } cases[] = {{drawing.mark.lightFileId, S_OK, drawing.document.documentId, L"Drawing", drawing.document.revisionId},
        {capp.lightFileIds.at(0), S_OK, capp.documentId, L"CappDocument", capp.revisionId},
        {capp.lightFileIds.at(0) + 100000, S_FALSE, 0, L"", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lightFileId);
        MarkContent origin;
        EXPECT_EQ(c.hr, qvclient::FindLightFileOrigin(*folder.Client().GetDatabase(), c.lightFileId, origin));
        EXPECT_EQ(c.documentId, origin.documentId);
        EXPECT_EQ(c.className, origin.className);
        EXPECT_EQ(c.revisionId, origin.revisionId);
    }
}

} // namespace
