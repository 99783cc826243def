// A folder on a file system of its own that runs full, for the tests of what a writer does when
// the disk is full. It is a tmpfs mounted in a mount namespace of the test process (so it goes
// away with the process, however the test ends); mounting needs root, as the tests have in CI.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class SmallDisk {
public:
    // `bytes` is rounded up to whole pages, the unit tmpfs counts in.
    explicit SmallDisk(size_t bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    // Empty when the disk could not be mounted; Error() then says why.
    bool Mounted() const { return !m_path.empty(); }
    const std::string& Error() const { return m_error; }
    const std::string& Path() const { return m_path; }
    std::string Path(const std::string& name) const { return m_path + "/" + name; }

    // Takes up space with a filler file so that `freeBytes` (rounded down to pages) stay free.
    // False when the disk holds too much already.
    bool LeaveFree(size_t freeBytes);
    void RemoveFiller();
    size_t FreeBytes() const;
    // The names of the files on the disk, the filler left out, sorted.
    std::vector<std::string> Files() const;

private:
    std::string m_path;
    std::string m_error;
};
