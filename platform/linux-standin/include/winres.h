// Constants for resource scripts (.rc): what dialog templates, version blocks and manifests name.
// Under RC_INVOKED the headers below give only their constants.
#pragma once

#include "winuser.h"
#include "commctrl.h"
#include "winnt.h"
#include "winver.h"

#define IDC_STATIC (-1)
