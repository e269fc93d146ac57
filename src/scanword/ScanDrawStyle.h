// How the builder draws a scanword: cell size, gap, cell shape, arrow style and colours (0x00BBGGRR),
// taken from the scanword settings. The drawing code needs only this, not the whole settings.
#pragma once

#include <cstdint>

namespace vez {

struct Settings;

struct ScanDrawStyle {
    int cellSize = 20;
    int gap = 0;        // pixels between neighbouring cells
    int shape = 0;      // 0 square, 1 rounded, 2 circle
    int arrowStyle = 0; // 0 … 3
    std::uint32_t fon = 0xFFFFFF, letter = 0xFFFFFF, undecided = 0xC0C0C0, mean = 0x808000, line = 0;
};

// The builder's style: the window colours of the scanword settings (background, empty letter cell,
// filled cell for cells not yet in a word, definition cell, lines), the gap between cells, the cell
// shape of the pictures and the arrow style.
ScanDrawStyle BuilderDrawStyle(const Settings& s, int cellSize);

// Cell size for a drawing area `areaWidth` pixels wide: (areaWidth - 1) div W, at least 4.
int BuilderCellSize(int areaWidth, int width);

} // namespace vez
