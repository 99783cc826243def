// Where a light file came from: its name, and the document revision whose iteration holds it.
#pragma once

#include <string>

#include <qvclient/Database.h>

namespace plmclient {

struct LightFileOrigin {
    std::wstring name;
    LONG documentId = 0;        // 0: no document holds it
    std::wstring documentClass;
    LONG revisionId = 0;
};

// S_FALSE when there is no such light file.
HRESULT FindLightFileOrigin(qvclient::IDatabase& database, LONG lightFileId, LightFileOrigin& origin);

} // namespace plmclient
