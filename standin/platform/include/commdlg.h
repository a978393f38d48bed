// Platform stand-in: see windows.h for what this area covers.
#pragma once

#include <windows.h>
