// Reads what the help file says about the module from the module itself, through the entry
// points the host's editor calls: the event menus and look-ups, the property sheet's table, the
// object's information texts, the help file name and the setup dialog.
#pragma once

#include <windows.h>

#include "help_model.h"

namespace helpgen {

// `instance` is the module's instance, its process-attach notification already delivered.
// Throws std::runtime_error when the module's answers do not fit together (a menu item without
// an event, an event whose look-up does not answer for its code, an unknown row type).
Catalogue ReadCatalogue(HINSTANCE instance);

} // namespace helpgen
