// A renderer that hands out given bytes as its current picture: while a ServedPicture lives, the
// player's IBasicVideo answers GetCurrentImage with exactly those bytes (the size query with
// their count), and every other call goes to the graph's own renderer as before. Lets tests and
// fuzz targets give the module's grab any picture a graph might return.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <cstddef>
#include <cstdint>

class VideoPlayer;

class ServedPicture {
  public:
    // The player must have a renderer (IBasicVideo); without one nothing is replaced.
    ServedPicture(VideoPlayer* player, const uint8_t* bytes, size_t count);
    ~ServedPicture(); // the player gets its own renderer back
    ServedPicture(const ServedPicture&) = delete;
    ServedPicture& operator=(const ServedPicture&) = delete;

  private:
    VideoPlayer* player;
    IBasicVideo* own;
    IBasicVideo* serving;
};
