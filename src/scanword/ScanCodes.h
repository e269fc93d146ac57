// Helpers over the scanword layout codes (the layout itself is TScanLayout of model/ScanLayout.h).
#pragma once

#include "model/Grat.h"
#include "model/ScanLayout.h"

#include <array>
#include <cstdint>

namespace vez {

inline constexpr int kScanMinSide = 4;
inline constexpr int kScanMaxSide = 40;

using ScanCells = std::array<std::array<std::uint8_t, kGratSize>, kGratSize>; // [x][y]

// The user's excluded cells: 1 excluded, 0 not.
using ExcludedMap = ScanCells;

inline bool IsScanLetter(std::uint8_t c) { return c <= 3; }
inline bool IsScanDefinition(std::uint8_t c) { return c > 10 && c < kScanOutside; }
// A definition or an outside cell.
inline bool IsScanBoundary(std::uint8_t c) { return c > 10; }

// Direction of a definition's word: (1, 0) for codes 1x, (0, 1) for codes 2x.
inline CellPos ScanWordStep(std::uint8_t code) { return code < 20 ? CellPos{1, 0} : CellPos{0, 1}; }

// First letter of the word of the definition `code` standing at (x, y).
inline CellPos ScanFirstLetter(std::uint8_t code, int x, int y) {
    static constexpr int dx[9] = {0, -1, 0, 1, 1, 1, 0, -1, -1};
    static constexpr int dy[9] = {0, -1, -1, -1, 0, 1, 1, 1, 0};
    int pos = code % 10;
    return {x + dx[pos], y + dy[pos]};
}

} // namespace vez
