// A failing platform call, logged in the one shape every such line has: "FAILED(hr=0x...) in "
// followed by the call as the source writes it, and a line feed.
#pragma once

#include <windows.h>

// Logs `call` with `hr`.
void LogFailure(HRESULT hr, LPCWSTR call);

// Logs `call` with `hr` when hr is a failure; answers hr either way.
HRESULT LogIfFailed(HRESULT hr, LPCWSTR call);
