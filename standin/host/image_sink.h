// Where an image encoder puts its bytes: a file being saved, or memory for tests.
#pragma once

#include <windows.h>

#include <vector>

namespace hoststandin {

class ImageSink {
  public:
    // False when the bytes could not all be stored; the encoder then stops.
    virtual bool Write(const void* data, DWORD size) = 0;

  protected:
    ~ImageSink() = default;
};

class MemorySink final : public ImageSink {
  public:
    bool Write(const void* data, DWORD size) override;
    const std::vector<BYTE>& Bytes() const { return bytes; }

  private:
    std::vector<BYTE> bytes;
};

} // namespace hoststandin
