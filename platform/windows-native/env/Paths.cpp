// On Windows the file system takes Windows paths: the mapping only changes the text's encoding
// (UTF-8 for the client's narrow paths) and writes separators as backslashes.
#include <algorithm>

#include <winenv/Paths.h>
#include <winenv/Trace.h>

namespace winenv {

std::string ToPosixPath(const wchar_t* windowsPath)
{
    return ToUtf8(windowsPath);
}

std::string ToPosixPath(const std::wstring& windowsPath)
{
    return ToUtf8(windowsPath);
}

std::wstring FromPosixPath(const std::string& posixPath)
{
    std::wstring path = FromUtf8(posixPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

} // namespace winenv
