// The client of the end-to-end tests and the signers in its database.
#pragma once

#include <string>

#include "ClientFolder.h"

namespace e2e {

inline constexpr const wchar_t* kUser = L"zhang";

// A client folder whose database has the user "zhang", who may output files and is the current
// user; no watermark.
class ClientSetup : public viztest::ClientFolder {
public:
    ClientSetup();
};

// A signer whose signature is the text given, placed at 100,200 on the first page; the signer
// signs in the workflow state named after the login, of the template "Release".
struct Signer {
    LONG userId = 0;
    std::wstring login;
};
Signer AddTextSigner(qvclient::FixtureBuilder& fixture, const std::wstring& login, const std::wstring& text);
// The signer approved the document's current revision.
void Sign(qvclient::FixtureBuilder& fixture, const Signer& signer, const std::wstring& documentClass,
    const qvclient::DocumentFixture& document);

using viztest::FileExists;
using viztest::ListFolder;
using viztest::PosixOf;
using viztest::ReadFile;

} // namespace e2e
