#include "db/PostgresAnswer.h"

#include <poll.h>

#include <cerrno>
#include <future>
#include <memory>
#include <thread>

namespace qvclient {
namespace {

using Clock = std::chrono::steady_clock;

// PQcancel connects and waits for the server to close that connection, with no limit of its
// own; it runs on a thread of its own that is left behind if the server does not answer.
constexpr std::chrono::seconds kCancelBound{2};

void Cancel(PGconn* pConn)
{
    PGcancel* pCancel = PQgetCancel(pConn);
    if (pCancel == nullptr)
        return;
    auto sent = std::make_shared<std::promise<void>>();
    std::future<void> done = sent->get_future();
    std::thread([pCancel, sent] {
        char error[256];
        PQcancel(pCancel, error, sizeof error);
        PQfreeCancel(pCancel);
        sent->set_value();
    }).detach();
    done.wait_for(kCancelBound);
}

} // namespace

AnswerStatus AwaitAnswer(PGconn* pConn, std::chrono::milliseconds deadline, PGresult*& result)
{
    result = nullptr;
    const Clock::time_point end = Clock::now() + deadline;
    for (;;) {
        const int unsent = PQflush(pConn);
        if (unsent < 0)
            break;
        if (unsent == 0 && PQisBusy(pConn) == 0) {
            PGresult* pNext = PQgetResult(pConn);
            if (pNext == nullptr)
                return AnswerStatus::Complete;
            PQclear(result);
            result = pNext;
            // A COPY would hold the connection in its own protocol; the client has no use for one.
            const ExecStatusType status = PQresultStatus(pNext);
            if (status == PGRES_COPY_IN || status == PGRES_COPY_OUT || status == PGRES_COPY_BOTH)
                return AnswerStatus::Broken;
            continue;
        }
        int wait = -1;
        if (deadline.count() > 0) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now()).count();
            wait = left > 0 ? static_cast<int>(left) : 0;
        }
        pollfd fd = {PQsocket(pConn), static_cast<short>(POLLIN | (unsent != 0 ? POLLOUT : 0)), 0};
        const int ready = poll(&fd, 1, wait);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0) {
            PQclear(result);
            result = nullptr;
            Cancel(pConn);
            return AnswerStatus::Late;
        }
        if (ready < 0 || PQconsumeInput(pConn) == 0)
            break;
    }
    // The connection failed: libpq turns that into an error result, and then into none.
    while (PGresult* pNext = PQgetResult(pConn)) {
        PQclear(result);
        result = pNext;
    }
    return AnswerStatus::Broken;
}

} // namespace qvclient
