// Replacing a file only with a complete one. Not a Windows API: the one place where the stand-in
// and the Linux-side writers (the signing plug-in, the PDF stamper, the watermark, the client's
// copy of a stored file) put a whole file on disk, so that a full disk or a killed process never
// leaves a partial file under its name.
#pragma once

#include <sys/types.h>

#include <string>

namespace winenv {

// A file written in the folder of its target and put in the target's place when complete. It has
// no name while it is written (O_TMPFILE), so a process killed meanwhile leaves nothing behind;
// where the file system cannot do that it is a "~XXXXXX.tmp" beside the target. Errors are errnos.
class TemporaryFile {
public:
    TemporaryFile() = default;
    ~TemporaryFile() { Discard(); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // ENOENT when the target's folder does not exist.
    int Create(const std::string& posixTarget, mode_t mode);
    int GetDescriptor() const { return m_fd; }
    // Closes the file (a failed close is a failed file) and renames it over the target; on any
    // failure the file is discarded and the target left as it was.
    int Commit();
    void Discard();

private:
    int m_fd = -1;
    std::string m_target;
    std::string m_name; // empty while the file has none
};

// Writes `content` to a TemporaryFile, checks every write, the size and the close, then puts it in
// place of `posixPath`. The result keeps the mode of the file it replaces (a new file gets 0666 less
// the umask). Returns 0, or the errno of the step that failed; then `posixPath` is byte for byte as
// it was and nothing is left beside it.
int WriteFileAtomically(const std::string& posixPath, const std::string& content);
// The same with the given mode from the first byte on, whatever the umask (a file only its owner
// may read stays so while it is written); Windows has no such mode and ignores it.
int WriteFileAtomically(const std::string& posixPath, const std::string& content, mode_t mode);

} // namespace winenv
