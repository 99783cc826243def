// RetrieveLightFile: fetch, sign, watermark, and what the user and the error service are told.
#include <windows.h>

#include <filesystem>

#include <gtest/gtest.h>

#include <comkit/ComObject.h>
#include <winenv/Trace.h>

#include "ClientFolder.h"
#include "HandmadeFiles.h"
#include "SystemInterposer.h"
#include "TraceFields.h"
#include "catalogue/LightFileObj.h"
#include "catalogue/SignInfo.h"
#include "manager/RetrieveLightFile.h"
#include "qvclient/Errors.h"

using namespace viztest;

namespace {

// A light file object the client never gives: one without file content, or one whose download
// succeeds without writing anything.
class OddLightFile : public comkit::ComObject<IQvOtlObject, IObjectFileContent> {
public:
    explicit OddLightFile(bool bContent) : m_bContent(bContent) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override
    {
        if (iid == __uuidof(IObjectFileContent) && !m_bContent) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        return ComObject::QueryInterface(iid, ppv);
    }
    STDMETHODIMP GetObjectClassName(BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP GetObjectID(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP GetPropertyValue(BSTR, VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetRelatedObjects(BSTR, LONG, VARIANT*, VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP RawCreate(BSTR) override { return S_OK; }
    STDMETHODIMP DownloadToFile(BSTR) override { return S_OK; }

private:
    bool m_bContent;
};

class RetrieveLightFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        // A real PDF, so that the client's watermark stamps it.
        const std::string pdf = pdftest::HandmadePdfBytes({"<< /Type /Catalog /Pages 2 0 R >>",
            "<< /Type /Pages /Kids [3 0 R] /Count 1 >>", "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] >>"});
        qvclient::FixtureBuilder& fixture = m_client.Fixture();
        fixture.SetGlobalParam(L"NEEDWATER_DOWNLOADPDF", 0);
        m_doc = fixture.AddDocumentWithLightFiles(L"Document", L"A-01", L"doc",
            {{L"A-01.pdf", L"pdf", pdf, ""}, {L"A-01.dwg", L"dwg", "dwg", ""}});
        ASSERT_EQ(S_OK, m_client.Open());
        m_docRev.m_strClassName = L"Document";
        m_docRev.m_nRevID = m_doc.revisionId;
        m_file.m_pDocRev = &m_docRev;
        SetName(L"A-01.pdf");
        m_trace.Clear();
    }

    // The light file named; a ".dwg" name is the DWG's object, any other the PDF's.
    void SetName(const wchar_t* name)
    {
        m_file.m_strName = name;
        m_file.m_nObjID = m_doc.lightFileIds.at(std::wstring(name).find(L".dwg") != std::wstring::npos ? 1 : 0);
    }

    int Retrieve(const std::wstring& folder) { return RetrieveLightFile(&m_file, folder.c_str(), m_path); }
    void SetWatermark(LONG value) { m_client.Fixture().SetGlobalParam(L"NEEDWATER_DOWNLOADPDF", value); }

    std::vector<std::string> Messages() const { return TraceFields(m_trace, "messagebox", {"text", "icon"}); }

    // Locations of the reports shown, with their icon style.
    std::vector<std::string> Reports() const { return TraceFields(m_trace, "error_report", {"locations", "style"}); }
    std::vector<std::string> Watermarks() const { return TraceFields(m_trace, "watermark", {"path", "style", "result"}); }

    ClientFolder m_client;
    qvclient::DocumentFixture m_doc;
    ScratchFolder m_out;
    winenv::TraceRecorder m_trace;
    CLightDocumentRevObj m_docRev;
    CLightFileObj m_file;
    CString m_path = L"unchanged";
};

// Into the folder under its name; an empty folder means the temporary folder; a folder ending in
// a backslash gives a doubled one that still works.
TEST_F(RetrieveLightFileTest, WritesIntoTheFolderUnderItsName)
{
    const std::wstring temp = m_client.Client().GetTempPath();
    const std::pair<std::wstring, std::wstring> cases[] = {{m_out.Windows(), m_out.Windows(L"A-01.pdf")},
        {L"", temp + L"\\A-01.pdf"}, {m_out.Windows() + L"\\", m_out.Windows() + L"\\\\A-01.pdf"}};
    for (const auto& [folder, path] : cases) {
        std::filesystem::remove(PosixOf(path));
        EXPECT_EQ(1, Retrieve(folder)) << winenv::ToUtf8(folder);
        EXPECT_EQ(path, std::wstring(m_path));
        EXPECT_EQ("%PDF-1.4", ReadFile(path).substr(0, 8)) << winenv::ToUtf8(folder);
    }
    EXPECT_EQ("A-01.pdf", FolderText(m_out.Windows()));
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(Reports().empty());
}

// The switch, the file's type (whatever its case) and the component decide; what goes wrong is
// reported, and a watermark that fails leaves the path set.
TEST_F(RetrieveLightFileTest, AWatermarkNeedsTheSwitchAPdfAndTheComponent)
{
    const auto stamped = [this](const wchar_t* name, const char* result = "0x00000000") {
        return winenv::ToUtf8(m_out.Windows(name)) + " 10 " + result;
    };
    const struct {
        const char* what;
        HRESULT read; // of the switch
        LONG watermark;
        bool component;
        const wchar_t* name;
        bool dwgContent; // the DWG's content under the name: the watermark cannot read it
        int result;
        std::vector<std::string> watermarks, reports;
    } cases[] = {
        {"switched off", S_OK, 0, true, L"A-01.pdf", false, 1, {}, {}},
        {"a DWG file", S_OK, 1, true, L"A-01.dwg", false, 1, {}, {}},
        {"no component", S_OK, 1, false, L"A-01.pdf", false, 0, {}, {"DocumentSelectDlg:995 16 80040154"}},
        // The switch is on, but cannot be read.
        {"unreadable switch", E_FAIL, 1, true, L"A-01.pdf", false, 1, {}, {"DocumentSelectDlg:980 48 80004005"}},
        {"a PDF", S_OK, 1, true, L"A-01.pdf", false, 1, {stamped(L"A-01.pdf")}, {}},
        {"a PDF in capitals", S_OK, 1, true, L"B.PDF", false, 1, {stamped(L"B.PDF")}, {}},
        {"a failing watermark", S_OK, 1, true, L"A-01.pdf", true, 0, {stamped(L"A-01.pdf", "0x80004005")}, {"DocumentSelectDlg:1002 16 80004005"}},
    };
    for (const auto& c : cases) {
        std::unique_ptr<ClassRegistration> noComponent;
        if (!c.component)
            noComponent = m_client.RegisterInFront(CLSID_QvPdfWatermark, [](REFIID, void**) { return REGDB_E_CLASSNOTREG; });
        SystemFaults faults;
        faults.globalParam = c.read;
        SystemInterposer system(m_client.Client(), faults);
        SetWatermark(c.watermark);
        m_trace.Clear();
        SetName(c.name);
        if (c.dwgContent)
            m_file.m_nObjID = m_doc.lightFileIds.at(1);
        EXPECT_EQ(c.result, Retrieve(m_out.Windows())) << c.what;
        EXPECT_EQ(m_out.Windows(c.name), std::wstring(m_path)) << c.what;
        EXPECT_TRUE(FileExists(m_out.Windows(c.name))) << c.what;
        EXPECT_EQ(c.watermarks, Watermarks()) << c.what;
        EXPECT_EQ(c.reports, TraceFields(m_trace, "error_report", {"locations", "style", "codes"})) << c.what;
    }
}

TEST_F(RetrieveLightFileTest, SystemObjectFailureIsReportedAt975UnlessSilent)
{
    SystemFaults faults;
    faults.create = E_FAIL;
    SystemInterposer system(m_client.Client(), faults);
    EXPECT_EQ(1, Retrieve(m_out.Windows()));
    EXPECT_EQ((std::vector<std::string>{"DocumentSelectDlg:975 48", "DocumentSelectDlg:980 48"}), Reports());

    m_trace.Clear();
    faults.create = static_cast<HRESULT>(0x83070101);
    EXPECT_EQ(1, Retrieve(m_out.Windows()));
    for (const std::string& report : Reports())
        EXPECT_EQ(std::string::npos, report.find(":975")) << "0x83070101 is never reported";
}

// A failed download, or an object without file content, is a failed fetch: named with its code. A
// download that succeeds without writing a file is silent. Neither reads signatures or the switch.
TEST_F(RetrieveLightFileTest, FailedFetchShowsNameAndCodeAndNoFileIsSilent)
{
    char text[64];
    std::snprintf(text, sizeof text, "文件(A-01.pdf)获取失败(%X)! error", static_cast<unsigned>(qvclient::QV_E_OBJECTNOTFOUND));
    const struct {
        const char* what;
        int odd; // -1: no such light file; else an odd object, 1 with file content
        std::vector<std::string> messages;
    } cases[] = {
        {"no such light file", -1, {text}},
        {"no file content", 0, {"文件(A-01.pdf)获取失败(80004002)! error"}},
        {"no file written", 1, {}},
    };
    for (const auto& c : cases) {
        std::unique_ptr<ClassRegistration> odd;
        if (c.odd < 0)
            m_file.m_nObjID = m_doc.lightFileIds.at(1) + 1000;
        else
            odd = m_client.RegisterInFront(CLSID_QvOtlObject, [content = c.odd != 0](REFIID iid, void** ppv) {
                return comkit::CreateComObject<OddLightFile>(iid, ppv, content);
            });
        m_trace.Clear();
        EXPECT_EQ(0, Retrieve(m_out.Windows())) << c.what;
        EXPECT_EQ(CString(L"unchanged"), m_path) << c.what;
        EXPECT_EQ(c.messages, Messages()) << c.what;
        EXPECT_TRUE(m_trace.OfKind("sql").empty()) << c.what;
    }
}

TEST_F(RetrieveLightFileTest, NamesThatLeaveTheFolderAreRefused)
{
    ScratchFolder parent;
    std::wstring folder = parent.Windows(L"out");
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* name : {L"..\\x.pdf", L"../x.pdf", L"sub\\x.pdf", L"..", L"."}) {
        SetName(name);
        m_trace.Clear();
        EXPECT_EQ(0, Retrieve(folder)) << winenv::ToUtf8(name);
        ASSERT_EQ(1u, Messages().size());
        EXPECT_EQ("文件(" + winenv::ToUtf8(name) + ")获取失败(80070057)! error", Messages()[0]);
        EXPECT_TRUE(m_trace.OfKind("file_written").empty());
    }
    EXPECT_EQ("out", FolderText(parent.Windows()));
    EXPECT_EQ("", FolderText(folder));
    EXPECT_EQ(CString(L"unchanged"), m_path);
}

TEST_F(RetrieveLightFileTest, SignaturesAreReadOncePerRevisionAndPutOnPdfs)
{
    qvclient::FixtureBuilder& fixture = m_client.Fixture();
    const LONG writer = fixture.AddUser(L"writer", L"Writer");
    fixture.AddSignatureConfig(writer, 1, L"ok", L"", L"", 0);
    fixture.AddSignatureLocation(L"Written", L"Release", L"1,2", L"");
    fixture.AddSignature(L"Document", m_doc.documentId, m_doc.revisionId, writer, L"2024-03-01 09:00:00", L"Written",
        L"Release");
    EXPECT_EQ(1, Retrieve(m_out.Windows()));
    CLightFileObj second;
    second.m_nObjID = m_doc.lightFileIds.at(1);
    second.m_strName = L"A-01.dwg";
    second.m_pDocRev = &m_docRev;
    CString strPath;
    EXPECT_EQ(1, RetrieveLightFile(&second, m_out.Windows().c_str(), strPath));
    EXPECT_EQ(2u, m_trace.OfKind("sql").size());
    EXPECT_EQ(1, m_docRev.m_lstSignInfo.GetCount());
    // The PDF went to the signer (this program's signer keeps the job), the DWG did not.
    EXPECT_TRUE(FileExists(m_out.Windows(L"A-01.pdf.ini.captured")));
    EXPECT_FALSE(FileExists(m_out.Windows(L"A-01.dwg.ini.captured")));
}

} // namespace
