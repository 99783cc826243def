// Replacing a file only with a complete one. Not a Windows API: the one place where the stand-in
// and the Linux-side writers (the signing plug-in, the PDF stamper, the watermark) put a whole file
// on disk, so that a full disk or a killed process never leaves a partial file under its name.
#pragma once

#include <string>

namespace win32host {

// Writes `content` to a temporary file in the folder of `posixPath`, checks every write, the
// size and the close, then renames it over `posixPath`. The result keeps the mode of the file it
// replaces (a new file gets 0666 less the umask). Returns 0, or the errno of the step that failed;
// then the temporary file is gone and `posixPath` is byte for byte as it was.
int WriteFileAtomically(const std::string& posixPath, const std::string& content);

} // namespace win32host
