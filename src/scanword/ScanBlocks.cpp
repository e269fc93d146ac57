#include "scanword/ScanBlocks.h"

#include <algorithm>

namespace vez {

int ScanBlocks::BlockOf(int x, int y) const {
    int col = std::min((x - 1) / std::max(colWidth, 1), nx - 1);
    int row = std::min((y - 1) / std::max(rowHeight, 1), ny - 1);
    return row * nx + col + 1;
}

ScanBlocks ComputeScanBlocks(int width, int height, int q) {
    ScanBlocks b;
    b.width = width;
    b.height = height;
    b.nx = std::max(1, (width + q - 1) / q);
    b.ny = std::max(1, (height + q - 1) / q);
    for (;;) {
        b.colWidth = width / b.nx;
        b.rowHeight = height / b.ny;
        const int lastW = width - (b.nx - 1) * b.colWidth, lastH = height - (b.ny - 1) * b.rowHeight;
        // Only the last block-column and block-row can be larger than the regular ones.
        bool grew = false;
        if (lastH > q || b.rowHeight > q) ++b.ny, grew = true;
        if (lastW > q || b.colWidth > q) ++b.nx, grew = true;
        if (!grew) return b;
    }
}

} // namespace vez
