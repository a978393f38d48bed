// Platform stand-in: COM initialisation lives in standin/com.h, which <windows.h> includes.
#pragma once

#include <windows.h>
