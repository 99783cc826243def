#include "FolderCompletion.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>

namespace plmclient {

std::string ExpandHome(const std::string& path)
{
    const char* home = std::getenv("HOME");
    if (!home || path.empty() || path[0] != '~' || (path.size() > 1 && path[1] != '/'))
        return path;
    return home + path.substr(1);
}

FolderCompletion CompleteFolder(const std::string& typed)
{
    FolderCompletion result;
    result.text = ExpandHome(typed);
    const size_t slash = result.text.rfind('/');
    const std::string parent = slash == std::string::npos ? std::string() : result.text.substr(0, slash + 1);
    const std::string prefix = slash == std::string::npos ? result.text : result.text.substr(slash + 1);

    std::vector<std::string> names;
    if (DIR* dir = opendir(parent.empty() ? "." : parent.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name == "." || name == ".." || name.compare(0, prefix.size(), prefix) != 0)
                continue;
            if (name[0] == '.' && (prefix.empty() || prefix[0] != '.'))
                continue;
            struct stat st;
            if (stat((parent.empty() ? name : parent + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
                names.push_back(name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    if (names.empty())
        return result;
    if (names.size() == 1) {
        result.text = parent + names[0] + "/";
        return result;
    }
    // The longest common start, not cut inside a UTF-8 sequence.
    size_t common = names.front().size();
    for (const std::string& name : names) {
        size_t n = 0;
        while (n < common && n < name.size() && name[n] == names.front()[n])
            ++n;
        common = n;
    }
    while (common > 0 && common < names.front().size() &&
        (static_cast<unsigned char>(names.front()[common]) & 0xC0) == 0x80)
        --common;
    result.text = parent + names.front().substr(0, std::max(common, prefix.size()));
    result.candidates = names;
    return result;
}

} // namespace plmclient
