// Releasing a held COM interface: the field is emptied before Release runs, so nothing can
// reach a pointer whose reference is already gone.
#pragma once

template <class Interface> void ReleaseAndEmpty(Interface*& field) {
    Interface* held = field;
    field = 0;
    if (held)
        held->Release();
}
