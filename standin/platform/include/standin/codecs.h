// The private interfaces of the three fake decoders the simulated graph inserts by FourCC:
// Indeo 4 (IV41), Indeo 5 (IV50) and DivX (DIVX, DX50, DIV3). Only the slots the module calls
// are meaningful; the others are placeholders that answer E_NOTIMPL so the slot numbers line up.
// Kept in namespace standin: the module declares its own copy of these interfaces.
#pragma once

#include "standin/base_types.h"

namespace standin {

STANDIN_GUID(IID_II6vxDecoder, 0x178F54B5, 0xCE37, 0x4F13, 0x9B, 0xE8, 0x7C, 0xEB, 0xE5, 0x1E, 0x42,
             0x06);
STANDIN_GUID(IID_IIndeoDecode, 0x665A4442, 0xD905, 0x11D0, 0xA3, 0x0E, 0x44, 0x45, 0x53, 0x54, 0x00,
             0x00);
STANDIN_GUID(IID_IDivXFilterInterface, 0xD132EE97, 0x3E38, 0x4030, 0x8B, 0x17, 0x59, 0x16, 0x3B,
             0x30, 0xA1, 0xF5);

// Indeo 4: slot 3 sets the password, slot 4 copies it into a caller buffer of 18 units.
struct II6vxDecoder : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetPassword(LPCWSTR password) = 0; // slot 3
    virtual HRESULT STDMETHODCALLTYPE GetPassword(LPWSTR buffer18) = 0;  // slot 4
};

// Indeo 5: slots 6-9 exchange the sequence record (44 bytes) and the frame record (124 bytes).
struct IIndeoDecode : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Unused3() = 0;                            // slot 3
    virtual HRESULT STDMETHODCALLTYPE Unused4() = 0;                            // slot 4
    virtual HRESULT STDMETHODCALLTYPE Unused5() = 0;                            // slot 5
    virtual HRESULT STDMETHODCALLTYPE ReadSequence(void* sequenceRequest) = 0;  // slot 6
    virtual HRESULT STDMETHODCALLTYPE ReadFrame(void* frameRequest) = 0;        // slot 7
    virtual HRESULT STDMETHODCALLTYPE WriteSequence(void* sequenceRequest) = 0; // slot 8
    virtual HRESULT STDMETHODCALLTYPE WriteFrame(void* frameRequest) = 0;       // slot 9
};

// DivX: slots 7-9 set brightness, contrast, saturation; slots 11-13 read them back.
struct IDivXFilterInterface : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Unused3() = 0;                 // slot 3
    virtual HRESULT STDMETHODCALLTYPE Unused4() = 0;                 // slot 4
    virtual HRESULT STDMETHODCALLTYPE Unused5() = 0;                 // slot 5
    virtual HRESULT STDMETHODCALLTYPE Unused6() = 0;                 // slot 6
    virtual HRESULT STDMETHODCALLTYPE SetBrightness(int value) = 0;  // slot 7
    virtual HRESULT STDMETHODCALLTYPE SetContrast(int value) = 0;    // slot 8
    virtual HRESULT STDMETHODCALLTYPE SetSaturation(int value) = 0;  // slot 9
    virtual HRESULT STDMETHODCALLTYPE Unused10() = 0;                // slot 10
    virtual HRESULT STDMETHODCALLTYPE GetBrightness(int* value) = 0; // slot 11
    virtual HRESULT STDMETHODCALLTYPE GetContrast(int* value) = 0;   // slot 12
    virtual HRESULT STDMETHODCALLTYPE GetSaturation(int* value) = 0; // slot 13
};

} // namespace standin
