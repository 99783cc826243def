// Signing when this program's folder holds no usable SignPdf.dll, built once per folder: with
// none at all signing fails; with a library lacking the SignPdf export it counts as done. The job
// is removed and the PDF left as it was either way.
#include <gtest/gtest.h>

#include "ScratchFolder.h"
#include "catalogue/LightFileObj.h"
#include "catalogue/SignInfo.h"
#include "signing/SignFile.h"

using namespace viztest;

namespace {

TEST(MODULETEST_SIGNER, JobIsRemovedAndThePdfKept)
{
    ScratchFolder folder;
    WriteFile(folder.Windows(L"A-01.pdf"), "%PDF");
    CLightDocumentRevObj docRev;
    CSignInfo* pSign = new CSignInfo;
    pSign->m_nFormat = 1;
    pSign->m_strSignContent = L"Approved";
    docRev.m_lstSignInfo.AddTail(pSign);

    EXPECT_EQ(MODULETEST_SIGN_RESULT, SignFile(docRev, folder.Windows(L"A-01.pdf").c_str()));
    EXPECT_EQ("A-01.pdf", FolderText(folder.Windows()));
    EXPECT_EQ("%PDF", ReadFile(folder.Windows(L"A-01.pdf")));
}

} // namespace
