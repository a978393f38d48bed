#include "image_filters.h"

#include "bmp_writer.h"
#include "png_writer.h"

namespace hoststandin {
namespace {

constexpr DWORD kManagerTag = 0x4D465643u;  // "CVFM"
constexpr DWORD kSelectorTag = 0x53465643u; // "CVFS"
const WCHAR kEndOfList[1] = {0};
LPCWSTR kNoExtensions[1] = {kEndOfList};

// Layout of a constructed HostFilterSelectorBlock.
struct SelectorLayout {
    DWORD tag;
    ImageFilterManager* manager;
    int selected; // index, or -1
};
static_assert(sizeof(SelectorLayout) <= sizeof(HostFilterSelectorBlock), "fits the block");

SelectorLayout* SelectorFromBlock(HostFilterSelectorBlock* block) {
    auto* layout = reinterpret_cast<SelectorLayout*>(block);
    return layout && layout->tag == kSelectorTag ? layout : nullptr;
}

// Writes into a file opened for the save; remembers whether every write went through.
class FileSink final : public ImageSink {
  public:
    explicit FileSink(LPCWSTR name)
        : file(CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr)) {}
    ~FileSink() { Close(); }

    bool Opened() const { return file != INVALID_HANDLE_VALUE; }
    bool Write(const void* data, DWORD size) override {
        DWORD written = 0;
        return Opened() && WriteFile(file, data, size, &written, nullptr) && written == size;
    }
    bool Close() {
        if (!Opened())
            return false;
        BOOL closed = CloseHandle(file);
        file = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }

  private:
    HANDLE file;
};

} // namespace

ImageFilterManager::ImageFilterManager() : tag(kManagerTag) {}

ImageFilterManager::~ImageFilterManager() {
    tag = 0;
}

int ImageFilterManager::AddFilter(DWORD identifier, std::initializer_list<const char*> extensions,
                                  ImageEncoder encoder, bool usable) {
    auto filter = std::make_unique<Filter>();
    filter->identifier = identifier;
    filter->encoder = encoder;
    filter->usable = usable;
    for (const char* extension : extensions) {
        std::vector<WCHAR> text;
        for (const char* c = extension; *c; ++c)
            text.push_back(static_cast<WCHAR>(static_cast<unsigned char>(*c)));
        text.push_back(0);
        filter->texts.push_back(std::move(text));
    }
    for (const auto& text : filter->texts)
        filter->list.push_back(text.data());
    filter->list.push_back(kEndOfList);
    filters.push_back(std::move(filter));
    return Count() - 1;
}

void ImageFilterManager::SetUsable(int index, bool usable) {
    if (index >= 0 && index < Count())
        filters[index]->usable = usable;
}

bool ImageFilterManager::Usable(int index) const {
    return index >= 0 && index < Count() && filters[index]->usable;
}

LPCWSTR* ImageFilterManager::Extensions(int index) {
    if (index < 0 || index >= Count())
        return kNoExtensions;
    return filters[index]->list.data();
}

DWORD ImageFilterManager::Identifier(int index) const {
    return index >= 0 && index < Count() ? filters[index]->identifier : 0;
}

int ImageFilterManager::IndexOf(DWORD identifier) const {
    for (int i = 0; i < Count(); ++i)
        if (filters[i]->identifier == identifier)
            return i;
    return -1;
}

bool ImageFilterManager::Encode(DWORD identifier, const Surface& surface, ImageSink& sink) const {
    int index = IndexOf(identifier);
    if (!Usable(index) || !filters[index]->encoder)
        return false;
    return filters[index]->encoder(surface, sink);
}

ImageFilterManager* ImageFilterManager::FromHandle(void* handle) {
    auto* manager = static_cast<ImageFilterManager*>(handle);
    return manager && manager->tag == kManagerTag ? manager : nullptr;
}

ImageFilterManager& StandardImageFilters() {
    static ImageFilterManager* standard = [] {
        auto* manager = new ImageFilterManager();
        manager->AddFilter(kBmpFilterIdentifier, {"bmp", "dib"}, WriteBmp);
        manager->AddFilter(kPngFilterIdentifier, {"png"}, WritePng);
        return manager;
    }();
    return *standard;
}

void ConstructFilterSelector(HostFilterSelectorBlock* selector, void* manager) {
    if (!selector)
        return;
    auto* layout = reinterpret_cast<SelectorLayout*>(selector);
    layout->tag = kSelectorTag;
    layout->manager = ImageFilterManager::FromHandle(manager);
    layout->selected = -1;
}

BOOL SelectFilter(HostFilterSelectorBlock* selector, DWORD identifier) {
    SelectorLayout* layout = SelectorFromBlock(selector);
    if (!layout || !layout->manager)
        return FALSE;
    layout->selected = layout->manager->IndexOf(identifier);
    return layout->selected >= 0;
}

BOOL SelectedFilterValid(HostFilterSelectorBlock* selector) {
    SelectorLayout* layout = SelectorFromBlock(selector);
    return layout && layout->manager && layout->manager->Usable(layout->selected);
}

void DestroyFilterSelector(HostFilterSelectorBlock* selector) {
    if (SelectorLayout* layout = SelectorFromBlock(selector)) {
        layout->tag = 0;
        layout->manager = nullptr;
        layout->selected = -1;
    }
}

BOOL SaveSurfaceToFile(void* handle, LPCWSTR fileName, Surface* surface, DWORD identifier) {
    ImageFilterManager* manager = ImageFilterManager::FromHandle(handle);
    if (!manager || !surface || surface->Empty() || !fileName || !fileName[0] ||
        !manager->Usable(manager->IndexOf(identifier)))
        return FALSE;
    FileSink sink(fileName);
    if (!sink.Opened())
        return FALSE;
    bool saved = manager->Encode(identifier, *surface, sink);
    saved = sink.Close() && saved;
    if (!saved)
        DeleteFileW(fileName); // no half-written image is left for a viewer to choke on
    return saved ? TRUE : FALSE;
}

} // namespace hoststandin
