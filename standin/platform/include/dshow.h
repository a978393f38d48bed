// The platform stand-in's <dshow.h>: the DirectShow subset the module calls, declared with the
// platform's names, slot orders and identifiers. The simulated filter graph behind
// CoCreateInstance(CLSID_FilterGraph) lives in standin/platform/src/dshow; tests inspect and
// steer it through standin/dshow_control.h.
#pragma once

#include <windows.h>

#include "standin/dshow_types.h"
#include "standin/dshow_interfaces.h"
#include "standin/dshow_guids.h"
