// The client of the end-to-end tests.
#pragma once

#include <string>

#include "ChildProcess.h"
#include "ClientFolder.h"

namespace e2e {

inline constexpr const wchar_t* kUser = L"zhang";

// A client folder whose database has the user "zhang", who may output files and is the current
// user; no watermark.
class ClientSetup : public viztest::ClientFolder {
public:
    ClientSetup();
};

// The client program of the build, beside the test programs.
inline std::string PlmClient() { return viztest::ProgramFolder() + "/plmclient"; }

using viztest::FileExists;
using viztest::ListFolder;
using viztest::PosixOf;
using viztest::ReadFile;

} // namespace e2e
