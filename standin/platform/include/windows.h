// The platform stand-in's <windows.h>: the subset of Win32 and COM the module calls.
// Each area lives in its own header under standin/.
#pragma once

#include "standin/base_types.h"
#include "standin/faults.h"
#include "standin/clock.h"
#include "standin/kernel.h" // modules, errors, files, directories, console, time, process, memory
#include "standin/exceptions.h" // structured exceptions: vectored handlers, access-violation faults
#include "standin/resources.h"  // string, bitmap and dialog resources compiled from cinevane.rc
#include "standin/codepage.h"   // MultiByteToWideChar
#include "standin/user_class.h" // window classes, cursors, capture, message boxes
#include "standin/user_window.h" // windows, messages, system metrics
#include "standin/user_menu.h"   // menus
#include "standin/user_dialog.h" // modal dialogs
#include "standin/gdi.h"         // painting, brushes
#include "standin/clipboard.h"   // clipboard and global memory
#include "standin/com.h"         // COM initialisation and object creation
