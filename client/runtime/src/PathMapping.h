// Windows paths of the module to POSIX paths of this machine, in the one place the platform
// layer does it.
#pragma once

#include <string>

namespace qvclient {

std::string ToPosix(const std::wstring& windowsPath);

} // namespace qvclient
