// Compiled by the layer probes, which expect the second include to fail.
#include <windows.h>
#include <winenv/Trace.h>
