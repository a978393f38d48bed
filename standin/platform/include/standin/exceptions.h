// Platform stand-in: see windows.h for what this area covers.
#pragma once

#include "standin/base_types.h"
