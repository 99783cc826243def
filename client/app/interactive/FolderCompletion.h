// Tab completion of folder names for the folder prompt (POSIX paths, UTF-8).
#pragma once

#include <string>
#include <vector>

namespace plmclient {

struct FolderCompletion {
    std::string text;                    // the typed text, completed as far as it is unambiguous
    std::vector<std::string> candidates; // the folder names that still match when more than one
};

// Completes the last component of `typed` to the sub-folders of its parent that start with it;
// a unique match gets a trailing '/'. "~/" stands for $HOME. Hidden folders only when the
// component starts with a dot.
FolderCompletion CompleteFolder(const std::string& typed);

// "~" and "~/..." with $HOME put in.
std::string ExpandHome(const std::string& path);

} // namespace plmclient
