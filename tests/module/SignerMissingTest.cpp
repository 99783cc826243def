// Signing when SignPdf.dll cannot be found: this program's folder holds none.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "catalogue/LightFileObj.h"
#include "signing/SignFile.h"
#include "signing/SignInfo.h"

using namespace moduletest;

namespace {

TEST(SignerMissing, JobIsWrittenAndRemovedAndSigningFails)
{
    ScratchFolder folder;
    WriteFile(folder.Windows(L"A-01.pdf"), "%PDF");
    CLightDocumentRevObj docRev;
    CSignInfo* pSign = new CSignInfo;
    pSign->m_nFormat = 1;
    pSign->m_strSignContent = L"Approved";
    docRev.m_lstSignInfo.AddTail(pSign);

    EXPECT_EQ(E_FAIL, SignFile(docRev, folder.Windows(L"A-01.pdf").c_str()));
    EXPECT_EQ("A-01.pdf", ListFolder(folder.Windows()));
}

} // namespace
