#include "PathMapping.h"

#include <winenv/Paths.h>

namespace qvclient {

std::string ToPosix(const std::wstring& windowsPath)
{
    return winenv::ToPosixPath(windowsPath);
}

} // namespace qvclient
