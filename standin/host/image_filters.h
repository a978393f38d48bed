// The host stand-in's image filters: a filter manager listing the formats a surface can be saved
// in, the filter selector the module keeps on its stack for one save, and the save itself.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "host/host_image_services.h"
#include "image_sink.h"
#include "surface.h"

namespace hoststandin {

constexpr DWORD kPngFilterIdentifier = 0x30474E50u; // 'P' 'N' 'G' '0'

typedef bool (*ImageEncoder)(const Surface& surface, ImageSink& sink);

class ImageFilterManager {
  public:
    ImageFilterManager();
    ImageFilterManager(const ImageFilterManager&) = delete;
    ImageFilterManager& operator=(const ImageFilterManager&) = delete;
    ~ImageFilterManager();

    // Adds a filter; `extensions` are ASCII texts without the dot. Returns its index.
    int AddFilter(DWORD identifier, std::initializer_list<const char*> extensions,
                  ImageEncoder encoder, bool usable = true);
    void SetUsable(int index, bool usable);

    int Count() const { return static_cast<int>(filters.size()); }
    bool Usable(int index) const;
    // The extension list ended by an empty text; an unknown index gives an empty list.
    LPCWSTR* Extensions(int index);
    DWORD Identifier(int index) const; // 0 for an unknown index
    // The index of the first filter with this identifier, or -1.
    int IndexOf(DWORD identifier) const;
    // Encodes with the filter of `identifier`; false when it is unknown or not usable.
    bool Encode(DWORD identifier, const Surface& surface, ImageSink& sink) const;

    // The manager behind a pointer the module holds, or null when it is not one.
    static ImageFilterManager* FromHandle(void* handle);

  private:
    struct Filter {
        DWORD identifier;
        std::vector<std::vector<WCHAR>> texts;
        std::vector<LPCWSTR> list; // pointers into `texts`, then an empty text
        ImageEncoder encoder;
        bool usable;
    };

    DWORD tag; // first member: identifies a live manager behind an opaque pointer
    std::vector<std::unique_ptr<Filter>> filters;
};

// The application's filters as the stand-in host offers them: BMP ("bmp", "dib") at index 0
// with identifier 0x30504D42, PNG ("png") at index 1 with identifier 0x30474E50.
ImageFilterManager& StandardImageFilters();

// The filter selector constructed in the module's block.
void ConstructFilterSelector(HostFilterSelectorBlock* selector, void* manager);
BOOL SelectFilter(HostFilterSelectorBlock* selector, DWORD identifier);
BOOL SelectedFilterValid(HostFilterSelectorBlock* selector);
void DestroyFilterSelector(HostFilterSelectorBlock* selector);

// Saves the surface to a file (a Windows path) with the filter of `identifier`. On failure no
// partial file is left behind.
BOOL SaveSurfaceToFile(void* manager, LPCWSTR fileName, Surface* surface, DWORD identifier);

} // namespace hoststandin
