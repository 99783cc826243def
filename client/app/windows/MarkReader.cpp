// Windows: the reading tools (poppler, ZBar) are not part of the Windows build.
#include "../MarkReader.h"

namespace plmclient {

MarkFound ReadMark(const std::string& path, qvclient::MarkContent&)
{
    MarkFound found;
    found.error = "this build cannot read verification marks (" + path + ")";
    return found;
}

} // namespace plmclient
