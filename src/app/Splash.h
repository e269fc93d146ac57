// The main window's decorative picture: the file CROS/Vez.<ext> when one exists, loads and covers the
// window, otherwise a two-colour gradient. The window decodes and paints; this unit decides.
#pragma once

#include "settings/Config.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"

#include <array>
#include <functional>
#include <optional>

namespace vez {

// Random(n): a uniform whole number 0 … n−1, and 0 when n <= 0.
using RandomFn = std::function<int(int)>;
// A generator seeded from the clock, for the program.
RandomFn ClockRandom();

// Extensions tried in this order; the first existing file is taken.
inline constexpr std::array<const char*, 5> kSplashExtensions = {"jpg", "bmp", "jpeg", "emf", "wmf"};

std::optional<fs::path> FindSplashPicture(const fs::path& programFolder);

struct PixelSize {
    int width = 0, height = 0;
    bool operator==(const PixelSize&) const = default;
};

inline constexpr int kPictureShown = 1;
inline constexpr int kPictureNone = -1;

// Decodes a picture file and gives its natural size; nullopt when the file cannot be decoded.
using PictureLoader = std::function<std::optional<PixelSize>(const fs::path&)>;

// Looks the picture up and loads it for a picture area of `area`. Returns kPictureShown, or
// kPictureNone after telling the user why (no file, undecodable file, picture smaller than the
// area). Never stops the program.
int LoadSplash(const fs::path& programFolder, PixelSize area, const PictureLoader& load, Dialogs& dialogs);

// The gradient drawn when there is no picture: lines from c1 to c2, rows top to bottom or columns
// left to right.
struct Gradient {
    TColor c1 = 0, c2 = 0; // red in the low byte
    bool rows = true;
};
Gradient NewGradient(const RandomFn& random);
// The colour of line i of n: every channel moves linearly from c1 (line 0) to c2 (line n−1),
// rounded to the nearest integer.
TColor GradientLineColor(const Gradient& g, int i, int n);

// Where a floating picture's top-left corner goes when it is clicked or shown: a random part of the
// picture fills the area. nullopt when it does not move (the floating setting off).
struct PixelPoint {
    int x = 0, y = 0;
    bool operator==(const PixelPoint&) const = default;
};
std::optional<PixelPoint> FloatPicture(PixelSize picture, PixelSize area, bool floatLogo,
                                       const RandomFn& random);

} // namespace vez
