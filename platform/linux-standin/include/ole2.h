// OLE: the COM runtime and automation (OleRun is declared with the runtime in objbase.h).
#pragma once

#include "objbase.h"
