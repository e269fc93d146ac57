// The four symmetry modes of grid shapes and the squares that one change affects under each mode
// (shared by painting in the grid editor and by the automatic grid generator).
#pragma once

#include "model/Grat.h"

#include <array>

namespace vez {

enum GridSymmetry : int {
    kSymmetryFull = 1,       // mirrored left-right and top-bottom
    kSymmetryHorizontal = 2, // mirrored top-bottom
    kSymmetryVertical = 3,   // mirrored left-right
    kSymmetryNone = 4,
};

inline bool IsValidSymmetry(int symmetry) {
    return symmetry >= kSymmetryFull && symmetry <= kSymmetryNone;
}

// Square (i, j) (1-based) and its mirror images in a width x height grid. A square on a middle line
// is its own image and then appears twice, which is harmless for setting and clearing.
struct SymmetricSquares {
    std::array<CellPos, 4> pos{};
    int count = 0;
    const CellPos* begin() const { return pos.data(); }
    const CellPos* end() const { return pos.data() + count; }
};

inline SymmetricSquares SymmetricPartners(int symmetry, int width, int height, int i, int j) {
    const int mi = width + 1 - i, mj = height + 1 - j;
    switch (symmetry) {
    case kSymmetryFull:
        return {{{{i, j}, {mi, j}, {i, mj}, {mi, mj}}}, 4};
    case kSymmetryHorizontal:
        return {{{{i, j}, {i, mj}}}, 2};
    case kSymmetryVertical:
        return {{{{i, j}, {mi, j}}}, 2};
    default:
        return {{{{i, j}}}, 1};
    }
}

} // namespace vez
