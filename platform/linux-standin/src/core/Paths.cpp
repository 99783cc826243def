#include "winenv/Paths.h"

#include <cstdlib>
#include <cwchar>

#include "winenv/Trace.h"

namespace winenv {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// The folder of a drive, without a trailing slash except for "/" itself.
std::string DriveRoot(char upperLetter)
{
    const char name[] = {'W', 'I', 'N', '3', '2', '_', 'D', 'R', 'I', 'V', 'E', '_', upperLetter, '\0'};
    std::string root;
    if (const char* value = std::getenv(name); value && *value)
        root = value;
    else if (upperLetter == 'C')
        root = "/";
    else
        root = std::string("/mnt/") + static_cast<char>(upperLetter - 'A' + 'a');
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    return root;
}

// Appends the path's elements with single '/' separators.
void AppendElements(std::string& out, const wchar_t* begin, const wchar_t* end)
{
    std::wstring normalized;
    normalized.reserve(static_cast<size_t>(end - begin));
    bool lastWasSeparator = !out.empty() && out.back() == '/';
    for (const wchar_t* p = begin; p != end; ++p) {
        if (IsSeparator(*p)) {
            if (!lastWasSeparator)
                normalized.push_back(L'/');
            lastWasSeparator = true;
        } else {
            normalized.push_back(*p);
            lastWasSeparator = false;
        }
    }
    out += ToUtf8(normalized);
}

// The path's characters in place: a profile call converts its file name every time.
std::string PosixPathOf(const wchar_t* path, size_t length)
{
    if (length >= 2 && IsDriveLetter(path[0]) && path[1] == L':') {
        const char letter = static_cast<char>(path[0] >= L'a' ? path[0] - L'a' + L'A' : path[0]);
        std::string out = DriveRoot(letter);
        if (out != "/")
            out.push_back('/');
        AppendElements(out, path + 2, path + length);
        if (out.size() > 1 && out.back() == '/' && (length == 2 || length == 3))
            out.pop_back(); // "D:" and "D:\" name the drive's folder itself
        return out;
    }
    std::string out;
    AppendElements(out, path, path + length);
    return out;
}

} // namespace

std::string ToPosixPath(const std::wstring& path) { return PosixPathOf(path.data(), path.size()); }

std::string ToPosixPath(const wchar_t* path) { return path ? PosixPathOf(path, std::wcslen(path)) : std::string(); }

std::wstring FromPosixPath(const std::string& posixPath)
{
    std::wstring path = FromUtf8(posixPath);
    if (path.empty() || path[0] != L'/') {
        for (wchar_t& c : path)
            if (c == L'/')
                c = L'\\';
        return path;
    }
    // The drive whose folder is the longest leading part of the path.
    char bestLetter = 0;
    size_t bestLength = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string root = DriveRoot(letter);
        const bool isDefault = !std::getenv((std::string("WIN32_DRIVE_") + letter).c_str());
        if (isDefault && letter != 'C')
            continue; // only drives that are configured (and C:) claim folders
        const bool covers = root == "/"
            || (posixPath.compare(0, root.size(), root) == 0
                && (posixPath.size() == root.size() || posixPath[root.size()] == '/'));
        const size_t length = root == "/" ? 0 : root.size();
        if (covers && (bestLetter == 0 || length > bestLength)) {
            bestLetter = letter;
            bestLength = length;
        }
    }
    if (bestLetter == 0)
        return path; // on no drive: stays a POSIX path, which ToPosixPath keeps
    std::wstring out;
    out.push_back(static_cast<wchar_t>(bestLetter));
    out += L":\\";
    bool lastWasSeparator = true;
    for (wchar_t c : FromUtf8(posixPath.substr(bestLength))) {
        if (c == L'/') {
            if (!lastWasSeparator)
                out.push_back(L'\\');
            lastWasSeparator = true;
        } else {
            out.push_back(c);
            lastWasSeparator = false;
        }
    }
    return out;
}

} // namespace winenv
