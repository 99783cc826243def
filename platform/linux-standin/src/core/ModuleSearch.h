// Where LoadLibraryW finds a library by name.
#pragma once

#include <string>

namespace win32core {

// The program's own file, resolved.
std::string ProgramPath();
// The POSIX file a library name means, or empty when none exists. A bare name is looked for in
// the program's folder, the system folder, the current directory, then the folders of PATH; a
// name with a folder is used as it is. File names match without case, as on Windows. A name
// without an extension gets ".dll".
std::string FindLibrary(const std::wstring& name);
// The name FindLibrary looks for: ".dll" added to a name without an extension, a trailing dot
// (no extension) taken off.
std::wstring LibraryFileName(const std::wstring& name);
// Whether the name has a folder (or a drive) in it.
bool HasFolder(const std::wstring& name);

} // namespace win32core
