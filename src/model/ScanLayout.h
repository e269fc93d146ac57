// The scanword layout: which cells of a scanword hold letters, which hold definitions (and where
// each definition's word starts), and which lie outside.
//
// Codes, indexed [column][row] 0 … 41 like TGrat, puzzle in columns 1 … width, rows 1 … height:
//   0 … 3    letter cells (0 not yet in a word, 1 across, 2 down, 3 both)
//   11 … 17  definition of an across word, 21 and 23 … 28 of a down word; the second digit tells
//            where the first letter lies: 1 up-left, 2 above, 3 up-right, 4 right, 5 down-right,
//            6 below, 7 down-left, 8 left
//   99       outside (the frame, cells beyond the size, excluded cells)
#pragma once

#include "model/Grat.h"

#include <array>
#include <cstdint>

namespace vez {

inline constexpr std::uint8_t kScanOutside = 99;

inline bool IsScanLetterCode(std::uint8_t code) {
    return code <= 3;
}

struct TScanLayout {
    int width = 0;
    int height = 0;
    std::array<std::array<std::uint8_t, kGratSize>, kGratSize> cells; // [x][y]

    TScanLayout() { Clear(); }
    void Clear() {
        for (auto& col : cells)
            col.fill(kScanOutside);
        width = height = 0;
    }
    std::uint8_t& at(int x, int y) { return cells[x][y]; }
    std::uint8_t at(int x, int y) const { return cells[x][y]; }
};

} // namespace vez
