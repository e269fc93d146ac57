// The arrow of a scanword definition cell: a shaft from inside the cell to the first letter of its
// word and a head pointing along the word. Shared by the builder's preview and the pictures.
#pragma once

#include "platform/Canvas.h"

#include <cstdint>
#include <vector>

namespace vez {

// Cell shapes of the settings: 0 square, 1 rounded square, 2 circle.
struct ArrowFigure {
    std::vector<CanvasPoint> shaft; // polyline ending at the tip
    // Head styles 0, 1, 3: a closed triangle (first point repeated at the end), filled in the line
    // colour; style 2: an open polyline.
    std::vector<CanvasPoint> head;
    bool headClosed = true;
    // Style 1: the end of the shaft, redrawn in the letter-cell colour before the head.
    std::vector<CanvasPoint> erase;
    // Style 3: strokes that fill the small head.
    std::vector<std::pair<CanvasPoint, CanvasPoint>> strokes;
};

// The figure for the definition `code` (11 … 17, 21, 23 … 28) in the cell rectangle (left, top,
// right, bottom as the cell is drawn), of size `cellSize`, head `style` 0 … 3 and `cellShape`.
// An unknown code gives an empty figure.
ArrowFigure ArrowGeometry(const CanvasRect& cell, int cellSize, std::uint8_t code, int style, int cellShape);

// Draws the figure with pens of width 1: the shaft and head in `lineColor`, the erased stub of
// style 1 in `letterColor`.
void DrawArrow(Canvas& canvas, const CanvasRect& cell, int cellSize, std::uint8_t code, int style, int cellShape,
               CanvasColor lineColor, CanvasColor letterColor);

} // namespace vez
