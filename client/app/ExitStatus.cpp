#include "ExitStatus.h"

namespace plmclient {

int ExitStatusOf(bool commandFailed, bool scriptFailed, const DeliveryLedger& ledger)
{
    if (scriptFailed)
        return kExitScriptMismatch;
    if (commandFailed)
        return kExitCommandFailed;
    if (ledger.AnyUndelivered())
        return kExitUndelivered;
    if (ledger.AnyIncompletePdf())
        return kExitIncompletePdf;
    return kExitDone;
}

const char* DescribeExitStatus(int status)
{
    switch (status) {
    case kExitDone: return "done";
    case kExitNotRun: return "nothing ran";
    case kExitCommandFailed: return "the command failed";
    case kExitScriptMismatch: return "the script did not fit the dialogs";
    case kExitUndelivered: return "a file was not delivered (failed or refused)";
    case kExitIncompletePdf: return "a PDF left unsigned or without its watermark: that step failed";
    }
    return "unknown status";
}

} // namespace plmclient
