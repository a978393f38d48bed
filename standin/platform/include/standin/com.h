// Platform stand-in: COM initialisation, object creation and task memory.
//
// CoInitialize/CoInitializeEx/CoUninitialize keep the calling thread's apartment count like COM:
// S_OK for the first initialisation, S_FALSE for each further one of the same model,
// RPC_E_CHANGED_MODE (not counted) for another model. Each can be made to fail by name through
// standin/faults.h ("CoInitialize", "CoInitializeEx"); a failed call is not counted.
// CoCreateInstance lives with the DirectShow stand-in, which serves the filter graph.
#pragma once

#include "standin/base_types.h"

#define COINIT_MULTITHREADED 0x0
#define COINIT_APARTMENTTHREADED 0x2
#define COINIT_DISABLE_OLE1DDE 0x4
#define COINIT_SPEED_OVER_MEMORY 0x8

#define CLSCTX_INPROC_SERVER 0x1
#define CLSCTX_INPROC_HANDLER 0x2
#define CLSCTX_LOCAL_SERVER 0x4
#define CLSCTX_REMOTE_SERVER 0x10
#define CLSCTX_INPROC (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)
#define CLSCTX_SERVER (CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)
#define CLSCTX_ALL                                                                                 \
    (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)

#ifndef RPC_E_CHANGED_MODE
#define RPC_E_CHANGED_MODE ((HRESULT)0x80010106L)
#endif

HRESULT WINAPI CoInitialize(LPVOID reserved);
HRESULT WINAPI CoInitializeEx(LPVOID reserved, DWORD model);
void WINAPI CoUninitialize();

HRESULT WINAPI CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID iid,
                                LPVOID* object);

// Task memory: fails (null) when a test injects a fault into "CoTaskMemAlloc".
LPVOID WINAPI CoTaskMemAlloc(SIZE_T bytes);

namespace standin {

// True while the calling thread has an initialised apartment (for the stand-ins of COM servers,
// which answer CO_E_NOTINITIALIZED otherwise).
bool ComInitialized();

} // namespace standin
