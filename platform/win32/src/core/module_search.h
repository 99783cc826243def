// Where LoadLibraryW finds a library by name.
#pragma once

#include <string>

namespace win32core {

// The program's own file, resolved.
std::string ProgramPath();
// The POSIX file a library name means, or empty when none exists. A bare name is looked for in
// the program's folder, then the current directory, then the folders of PATH; a name with a
// folder is used as it is. A name without an extension gets ".dll".
std::string FindLibrary(const std::wstring& name);

} // namespace win32core
