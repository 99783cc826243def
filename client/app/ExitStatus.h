// The program's exit status: what a script can tell from it without reading the transcript.
#pragma once

#include "DeliveryLedger.h"

namespace plmclient {

enum ExitStatus {
    kExitDone = 0,           // every file the command tried to deliver was delivered
    kExitNotRun = 1,         // a wrong option, or the database or the module could not be opened
    kExitCommandFailed = 2,  // the command returned a failure
    kExitScriptMismatch = 3, // a script line failed or was never reached
    kExitUndelivered = 4,    // a file's fetch failed or was refused
    kExitIncompletePdf = 5,  // a PDF left unsigned or unwatermarked because that step failed
};

// The first that applies in the order 3, 2, 4, 5.
int ExitStatusOf(bool commandFailed, bool scriptFailed, const DeliveryLedger& ledger);
// A few words for the status, for the last line on standard error.
const char* DescribeExitStatus(int status);

} // namespace plmclient
