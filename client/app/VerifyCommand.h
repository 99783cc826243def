// plmclient --verify FILE: reads a delivered file's verification mark and answers, against the
// PLM database, whether the copy is current.
#pragma once

#include <string>

#include <qvclient/Client.h>

namespace plmclient {

// Exit statuses, one per answer.
enum VerifyStatus {
    kVerifyCurrent = 0,
    kVerifySuperseded = 10,
    kVerifyChanged = 11,
    kVerifyUnknown = 12,    // withdrawn, or unknown to this database
    kVerifyNoMark = 13,     // no mark could be read from the file
};

// Prints the answer on the standard output (one line) and returns its status; a database that
// fails the query gives 1.
int VerifyFile(qvclient::Client& client, const std::string& path);

} // namespace plmclient
