// The disk cache's bound on its folder, the same on every system: past kMaxEntries the least
// recently written entries go, down to three quarters of the bound.
#pragma once

#include <algorithm>
#include <cstddef>
#include <mutex>
#include <utility>
#include <vector>

namespace pdfstamp {

constexpr size_t kMaxEntries = 1000;

// Removes the oldest of a folder's entries (time written, name) when they are past the bound;
// the entries left.
template <class Time, class Name, class Remove>
size_t RemoveOldest(std::vector<std::pair<Time, Name>>& entries, Remove remove)
{
    if (entries.size() <= kMaxEntries)
        return entries.size();
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    const size_t gone = entries.size() - kMaxEntries * 3 / 4;
    for (size_t i = 0; i < gone; ++i)
        remove(entries[i].second);
    return entries.size() - gone;
}

// Listing the folder costs a call an entry, and a download writes an entry or two a PDF: the
// folder is trimmed (`trim` lists it and gives the entries left) at a process's first write, and
// again only once the entries written since could have taken it past the bound (other
// processes' writes wait for that, as the bound is a limit on disk use, not an exact count).
template <class Folder, class Trim>
void TrimWhenFull(const Folder& folder, Trim trim)
{
    static std::mutex mutex;
    static Folder listed;
    static size_t entries = 0;
    std::lock_guard<std::mutex> lock(mutex);
    if (listed != folder || ++entries > kMaxEntries) {
        entries = trim(folder);
        listed = folder;
    }
}

} // namespace pdfstamp
