// Private interfaces of the three decoders whose settings the player drives: Indeo 4
// ("II6vxDecoder"), Indeo 5 ("IIndeoDecode") and DivX ("IDivXFilterInterface"). The vendors
// publish no headers, so the module declares them itself: only the vtable positions matter.
// Entries the module never calls are placeholders that keep the positions right.
#pragma once

#include <windows.h>

// {178F54B5-CE37-4F13-9BE8-7CEBE51E4206}
static const GUID IID_II6vxDecoder = {
    0x178F54B5, 0xCE37, 0x4F13, {0x9B, 0xE8, 0x7C, 0xEB, 0xE5, 0x1E, 0x42, 0x06}};
// {665A4442-D905-11D0-A30E-444553540000}
static const GUID IID_IIndeoDecode = {
    0x665A4442, 0xD905, 0x11D0, {0xA3, 0x0E, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
// {D132EE97-3E38-4030-8B17-59163B30A1F5}
static const GUID IID_IDivXFilterInterface = {
    0xD132EE97, 0x3E38, 0x4030, {0x8B, 0x17, 0x59, 0x16, 0x3B, 0x30, 0xA1, 0xF5}};

// Indeo 4 decoder: a password unlocks protected content.
struct II6vxDecoder : public IUnknown {
    // entry 3: the password as UTF-16 text
    virtual HRESULT STDMETHODCALLTYPE SetPassword(LPCWSTR password) = 0;
    // entry 4: the password into a caller buffer of 18 UTF-16 units
    virtual HRESULT STDMETHODCALLTYPE GetPassword(LPWSTR buffer) = 0;
};

// Indeo 5 decoder: sequence options (access key, alternate line) and frame options (picture
// adjustments, transparency fill) travel in the two request records of indeo_requests.h.
struct IIndeoDecode : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE UnusedEntry3() = 0;
    virtual HRESULT STDMETHODCALLTYPE UnusedEntry4() = 0;
    virtual HRESULT STDMETHODCALLTYPE UnusedEntry5() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSequenceOptions(void* sequenceRequest) = 0; // entry 6
    virtual HRESULT STDMETHODCALLTYPE GetFrameOptions(void* frameRequest) = 0;       // entry 7
    virtual HRESULT STDMETHODCALLTYPE SetSequenceOptions(void* sequenceRequest) = 0; // entry 8
    virtual HRESULT STDMETHODCALLTYPE SetFrameOptions(void* frameRequest) = 0;       // entry 9
};

// DivX decoder: picture adjustments in the decoder's own units.
struct IDivXFilterInterface : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE UnusedEntry3() = 0;
    virtual HRESULT STDMETHODCALLTYPE UnusedEntry4() = 0;
    virtual HRESULT STDMETHODCALLTYPE UnusedEntry5() = 0;
    virtual HRESULT STDMETHODCALLTYPE UnusedEntry6() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBrightness(int value) = 0; // entry 7
    virtual HRESULT STDMETHODCALLTYPE SetContrast(int value) = 0;   // entry 8
    virtual HRESULT STDMETHODCALLTYPE SetSaturation(int value) = 0; // entry 9
    virtual HRESULT STDMETHODCALLTYPE UnusedEntry10() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBrightness(int* value) = 0; // entry 11
    virtual HRESULT STDMETHODCALLTYPE GetContrast(int* value) = 0;   // entry 12
    virtual HRESULT STDMETHODCALLTYPE GetSaturation(int* value) = 0; // entry 13
};
