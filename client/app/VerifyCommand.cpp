#include "VerifyCommand.h"

#include <cstdio>

#include <qvclient/MarkVerification.h>
#include <qvclient/VerificationMark.h>
#include <winenv/Trace.h>

#include "MarkReader.h"

namespace plmclient {

int VerifyFile(qvclient::Client& client, const std::string& path)
{
    qvclient::MarkContent mark;
    const MarkFound found = ReadMark(path, mark);
    if (!found.found) {
        std::printf("no mark: %s\n", found.error.c_str());
        return kVerifyNoMark;
    }
    const std::string subject = winenv::ToUtf8(mark.className) + ":" + std::to_string(mark.documentId) +
        " revision " + std::to_string(mark.revisionId) + ", light file " + std::to_string(mark.lightFileId);
    const std::string issued = " (issued to " + winenv::ToUtf8(mark.user) + " on " + mark.date + "; read from the " +
        found.where + ")";
    qvclient::MarkVerdict verdict;
    const HRESULT hr = qvclient::VerifyMark(*client.GetDatabase(), mark, verdict);
    if (FAILED(hr)) {
        std::fprintf(stderr, "plmclient: the database could not answer for %s (0x%08X)\n", subject.c_str(),
            static_cast<unsigned>(hr));
        return 1;
    }
    switch (verdict.answer) {
    case qvclient::MarkAnswer::Current:
        std::printf("current: %s%s\n", subject.c_str(), issued.c_str());
        return kVerifyCurrent;
    case qvclient::MarkAnswer::Superseded:
        std::printf("superseded by revision %ld (released %s): %s%s\n", static_cast<long>(verdict.currentRevisionId),
            verdict.releasedWhen.empty() ? "not signed yet" : winenv::ToUtf8(verdict.releasedWhen).c_str(),
            subject.c_str(), issued.c_str());
        return kVerifySuperseded;
    case qvclient::MarkAnswer::Changed:
        std::printf("changed since: %s, %s%s\n", subject.c_str(),
            verdict.storedSha256.empty() ? "no longer in the revision"
                                         : ("stored content now " + verdict.storedSha256.substr(0, 8) +
                                             ", the copy was made from " + mark.sha256.substr(0, 8)).c_str(),
            issued.c_str());
        return kVerifyChanged;
    case qvclient::MarkAnswer::Unknown:
        break;
    }
    std::printf("%s: %s%s\n", verdict.documentKnown ? "withdrawn" : "unknown", subject.c_str(),
        verdict.documentKnown ? ", the document has no current revision" : ", not in this database");
    return kVerifyUnknown;
}

} // namespace plmclient
