// Only <windows.h>, and one name (VIZ_PROBE) that the SDK's <windows.h> does not give.
#include <windows.h>

auto probe = VIZ_PROBE;
