// The partition of a scanword into blocks of at most Q x Q cells, in which the layout is composed.
#pragma once

namespace vez {

struct ScanBlocks {
    int nx = 1, ny = 1; // blocks per row and per column
    int colWidth = 0;   // every block-column but the last is this wide
    int rowHeight = 0;  // every block-row but the last is this high
    int width = 0, height = 0;

    int count() const { return nx * ny; }
    // Block k (1-based), numbered row by row.
    int x0(int k) const { return ((k - 1) % nx) * colWidth + 1; }
    int x1(int k) const { return (k - 1) % nx == nx - 1 ? width : x0(k) + colWidth - 1; }
    int y0(int k) const { return ((k - 1) / nx) * rowHeight + 1; }
    int y1(int k) const { return (k - 1) / nx == ny - 1 ? height : y0(k) + rowHeight - 1; }
    // The highest-numbered block containing the cell.
    int BlockOf(int x, int y) const;
};

// Smallest partition (starting from ceil(W/Q) x ceil(H/Q)) whose blocks are all at most Q x Q.
ScanBlocks ComputeScanBlocks(int width, int height, int q);

} // namespace vez
