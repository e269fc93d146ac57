// The builder's drawing of a scanword layout and of the block preview of the operative settings.
#pragma once

#include "model/ScanLayout.h"
#include "platform/Canvas.h"
#include "scanword/ScanBlocks.h"
#include "scanword/ScanDrawStyle.h"

namespace vez {

// The rectangle of cell (x, y), right and bottom exclusive, the grid starting at (left, top).
CanvasRect ScanCellRect(int x, int y, const ScanDrawStyle& st, int left = 0, int top = 0);

// Draws the layout: the background, letter cells (cells not yet in a word in their own colour),
// definition cells and, with `arrows`, the arrow of every definition on top of the cells. Outside
// and excluded cells are not drawn.
void DrawScanLayout(Canvas& canvas, const TScanLayout& layout, const ScanDrawStyle& st, bool arrows, int left = 0,
                    int top = 0);

// The block preview: the partition drawn `scale` pixels per cell from (left, top), with a line
// along every block's right and bottom edge (so also along the grid's right and bottom edges).
void DrawBlockPreview(Canvas& canvas, const ScanBlocks& blocks, int left, int top, int scale, CanvasColor fon,
                      CanvasColor line);

} // namespace vez
