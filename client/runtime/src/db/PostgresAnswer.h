// Waiting for the server's answer with a limit of the client's own: the statement timeout runs
// on the server, so a server process that stopped (paused, or on a host whose kernel still
// answers) would otherwise hold the caller for ever.
#pragma once

#include <chrono>

#include <libpq-fe.h>

namespace qvclient {

enum class AnswerStatus { Complete, Broken, Late };

// Sends what the connection (nonblocking) still holds and reads every result of the statement
// that was sent: the last one (a script stops at its first error) is handed over in result.
// Complete: all read. Broken: the connection failed (result holds libpq's error, if any) or was
// left in a COPY (result is its start). Late: no answer by the deadline (zero: none), the
// statement was cancelled and result is null. After Broken or Late the connection must be given
// up: its backend may never answer.
AnswerStatus AwaitAnswer(PGconn* pConn, std::chrono::milliseconds deadline, PGresult*& result);

} // namespace qvclient
