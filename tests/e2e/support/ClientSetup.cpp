#include "ClientSetup.h"

namespace e2e {

ClientSetup::ClientSetup()
{
    const LONG userId = Fixture().AddUser(kUser, L"张工");
    Fixture().GrantRight(userId, L"Documentation", L"OutputFile");
    Fixture().SetCurrentUser(kUser);
    Fixture().SetGlobalParam(L"NEEDWATER_DOWNLOADPDF", 0);
}

Signer AddTextSigner(qvclient::FixtureBuilder& fixture, const std::wstring& login, const std::wstring& text)
{
    const LONG userId = fixture.AddUser(login, login);
    fixture.AddSignatureConfig(userId, 1, text, L"", L"", 0);
    // Each signer signs in a workflow state of their own, so that each signature has one placement.
    fixture.AddSignatureLocation(login, L"Release", L"100,200", L"");
    return {userId, login};
}

void Sign(qvclient::FixtureBuilder& fixture, const Signer& signer, const std::wstring& documentClass,
    const qvclient::DocumentFixture& document)
{
    fixture.AddSignature(documentClass, document.documentId, document.revisionId, signer.userId,
        L"2026-03-02 09:15:00", signer.login, L"Release");
}

} // namespace e2e
