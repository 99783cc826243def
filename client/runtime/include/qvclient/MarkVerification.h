// What the PLM database says of a verification mark (a delivered PDF's light file, document,
// class, revision and stored file checksum): is the copy still current? Only reads.
#pragma once

#include <string>

#include "qvclient/Database.h"

namespace qvclient {

struct MarkContent;

enum class MarkAnswer {
    Current,    // the document's current revision, the same content
    Superseded, // a later revision is current
    Changed,    // the revision is current, its light file now has other content (or is gone)
    Unknown,    // no such document here, or it has no current revision (withdrawn)
};

struct MarkVerdict {
    MarkAnswer answer = MarkAnswer::Unknown;
    LONG currentRevisionId = 0;  // Superseded: the revision that is current now
    std::wstring releasedWhen;   // Superseded: its latest signature's date, empty when unsigned
    std::string storedSha256;    // Changed: the current content's checksum, empty when the file is gone
    bool documentKnown = false;  // the document is in this database (Unknown: withdrawn when true)
};

HRESULT VerifyMark(IDatabase& database, const MarkContent& mark, MarkVerdict& verdict);

// The document, class and revision a light file belongs to (the first found, in the order of the
// four classes). S_FALSE when it belongs to none.
HRESULT FindLightFileOrigin(IDatabase& database, LONG lightFileId, MarkContent& origin);

} // namespace qvclient
