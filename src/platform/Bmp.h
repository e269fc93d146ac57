// The program's own BMP codec and the plain RGB picture the core works on: reads uncompressed 1-,
// 4-, 8-, 24- and 32-bit pictures (bottom-up or top-down), writes 4-bit (with a palette) and 24-bit
// ones. Colours are kept exactly; a damaged file is an error value, never a crash.
#pragma once

#include "platform/Rgb.h"

#include "platform/Files.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vez {

// The 16 colours every 4-bit picture of the system starts from (index order of the classic VGA set).
const std::vector<Rgb>& StandardPalette16();

// A picture in memory: pixels row by row from the top-left corner. `bitsPerPixel` remembers the
// format it was read in (or is to be written in) so that a rewrite keeps it; `palette` is the
// colour table of an indexed picture as read (empty for true-colour ones).
struct RgbImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;
    std::vector<Rgb> palette;
    std::vector<Rgb> pixels;

    RgbImage() = default;
    RgbImage(int w, int h, Rgb fill, int bpp = 24)
        : width(w), height(h), bitsPerPixel(bpp),
          pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; }
    // A pixel outside the picture reads as `outside`; a write outside it is ignored.
    Rgb AtOr(int x, int y, Rgb outside) const { return Contains(x, y) ? At(x, y) : outside; }
    void Set(int x, int y, Rgb c) {
        if (Contains(x, y)) pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x] = c;
    }
    void Fill(Rgb c) { std::fill(pixels.begin(), pixels.end(), c); }
};

// Largest side accepted when reading, so that a forged header cannot demand gigabytes.
inline constexpr int kMaxBmpSide = 16384;

// Decodes a BMP file's bytes; nullopt with a reason in `error` for anything it cannot read exactly.
std::optional<RgbImage> DecodeBmp(std::string_view data, std::string* error = nullptr);
std::optional<RgbImage> ReadBmpFile(const fs::path& p, std::string* error = nullptr);

// The bits per pixel EncodeBmp writes for `img`: 4 for a picture read or made as 1- or 4-bit whose
// colours fit one 16-colour palette, else 24 (no colour is ever approximated).
int EncodedBitsPerPixel(const RgbImage& img);
// Encodes in the format EncodedBitsPerPixel names. A 4-bit picture keeps its own palette, adding
// missing colours in unused entries.
std::string EncodeBmp(const RgbImage& img);

} // namespace vez
