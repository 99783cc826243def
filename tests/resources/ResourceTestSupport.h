// Shared by the resource tests: the test libraries, loaded once, and small readers.
#pragma once

#include <windows.h>
#include <libloaderapi.h>

#include <string>
#include <vector>

#include "winenv/DialogTemplate.h"

namespace restest {

HMODULE FixtureModule(); // ResourceFixture.dll, compiled from fixture/ResourceFixture.rc
HMODULE ModuleImage();   // ModuleResourceImage.dll, compiled from the module's own .rc

// The bytes of a resource, empty when it is missing.
std::vector<unsigned char> ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type);

winenv::DialogTemplate Dialog(HMODULE module, WORD id);

} // namespace restest
