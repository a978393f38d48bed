// COM initialisation of the calling thread, and task memory.
#include <windows.h>

#include "standin/inspect_user.h"

#include <cstdlib>
#include <set>

namespace {

struct ComApartment {
    int count = 0; // initialisations not yet matched by CoUninitialize
    DWORD model = COINIT_APARTMENTTHREADED;
    int initializeCalls = 0;
    int uninitializeCalls = 0;
    std::set<void*> taskBlocks;
};

ComApartment* current = nullptr;

void ResetCom() {
    if (current)
        for (void* block : current->taskBlocks)
            std::free(block);
    delete current;
    current = new ComApartment;
}

ComApartment& Apartment() {
    if (!current) {
        standin::RegisterReset(&ResetCom);
        ResetCom();
    }
    return *current;
}

const DWORD kConcurrencyBits = COINIT_APARTMENTTHREADED; // the bit that tells STA from MTA

HRESULT Initialize(DWORD model) {
    ComApartment& apartment = Apartment();
    if (apartment.count > 0 && (apartment.model & kConcurrencyBits) != (model & kConcurrencyBits))
        return RPC_E_CHANGED_MODE;
    HRESULT result = apartment.count == 0 ? S_OK : S_FALSE;
    if (apartment.count == 0)
        apartment.model = model;
    ++apartment.count;
    ++apartment.initializeCalls;
    return result;
}

} // namespace

HRESULT WINAPI CoInitialize(LPVOID) {
    HRESULT fault = standin::FaultResult("CoInitialize");
    if (FAILED(fault))
        return fault;
    return Initialize(COINIT_APARTMENTTHREADED);
}

HRESULT WINAPI CoInitializeEx(LPVOID, DWORD model) {
    HRESULT fault = standin::FaultResult("CoInitializeEx");
    if (FAILED(fault))
        return fault;
    if (model & ~static_cast<DWORD>(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE |
                                    COINIT_SPEED_OVER_MEMORY))
        return E_INVALIDARG;
    return Initialize(model);
}

// Without an open initialisation the call does nothing (but is counted).
void WINAPI CoUninitialize() {
    ComApartment& apartment = Apartment();
    ++apartment.uninitializeCalls;
    if (apartment.count > 0)
        --apartment.count;
}

LPVOID WINAPI CoTaskMemAlloc(SIZE_T bytes) {
    long fault = 0;
    if (standin::TakeFault("CoTaskMemAlloc", &fault))
        return nullptr;
    void* block = std::malloc(bytes ? bytes : 1);
    if (block)
        Apartment().taskBlocks.insert(block);
    return block;
}

namespace standin {

bool ComInitialized() {
    return Apartment().count > 0;
}

ComState Com() {
    ComApartment& apartment = Apartment();
    return ComState{apartment.count, apartment.initializeCalls, apartment.uninitializeCalls,
                    apartment.model, static_cast<int>(apartment.taskBlocks.size())};
}

} // namespace standin
