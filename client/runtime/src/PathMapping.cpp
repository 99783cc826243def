#include "PathMapping.h"

#include <win32host/Paths.h>

namespace qvclient {

std::string ToPosix(const std::wstring& windowsPath)
{
    return win32host::ToPosixPath(windowsPath);
}

} // namespace qvclient
