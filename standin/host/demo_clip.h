// The clip the stand-in host plays when it is given no file: an uncompressed 24-bit AVI whose
// frames show a white bar sweeping from left to right over a dark blue ground and the frame
// number in yellow seven-segment digits, with a steady tone. Also a tone-only WAV for
// audio-only runs. Written by the media writer (media_writer.h) on the fly: nothing binary is
// kept in the repository.
#pragma once

#include <windows.h>

#include <vector>

namespace hoststandin {

struct DemoClip {
    int width = 320;
    int height = 240;
    int framesPerSecond = 25;
    int frames = 75; // three seconds
    bool withTone = true;
    int toneHz = 440;
    int samplesPerSecond = 22050; // 16-bit mono
};

struct PixelColour {
    BYTE r, g, b;
};

constexpr PixelColour kGroundColour = {16, 32, 96};
constexpr PixelColour kBarColour = {255, 255, 255};
constexpr PixelColour kDigitColour = {255, 208, 0};
constexpr int kBarWidth = 24;

// Left edge of the bar on `frame`: 0 on the first frame, width - kBarWidth on the last.
int BarLeft(const DemoClip& clip, int frame);
// The colour of one pixel (x from the left, y from the top) of a frame.
PixelColour DemoPixel(const DemoClip& clip, int frame, int x, int y);

// RIFF AVI bytes with an index; an empty vector for sizes outside 1..4096 or no frames.
std::vector<BYTE> DemoAviBytes(const DemoClip& clip);
// RIFF WAV bytes: a 16-bit mono tone of the given length; empty for a negative length or a rate
// outside 1..192000.
std::vector<BYTE> ToneWavBytes(int milliseconds, int toneHz = 440, int samplesPerSecond = 22050);

// Writes the bytes through the platform's file calls (on the native build into the stand-in's
// sandbox). False when the file cannot be created or fully written.
bool WriteFileBytes(LPCWSTR path, const std::vector<BYTE>& bytes);

} // namespace hoststandin
