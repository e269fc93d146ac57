// Composition of a scanword layout: which cells hold definitions, where each definition's word
// starts, which cells hold letters.
//
// The grid is cut into blocks of at most Q x Q cells (ScanBlocks) and composed block by block from
// the last (bottom-right) to the first. A pass on the current block a:
//   1. scatters random definitions over the free cells of the block (PlaceDefinition: a random word
//      length 2 … 10 and the first candidate code, in a fixed order, whose word fits);
//   2. validates the region from the block's top-left cell to the grid's bottom-right cell, cell by
//      cell in reading order; the first broken rule fails the pass with its error code and cell;
//   3. when block 1 is validated, the words must balance the definitions; then every letter cell
//      must be connected to the bottom row.
// A pass that succeeds moves on to block a - 1; one that fails clears block a. After 5 * L failed
// passes (L = (x1 - x0) * (y1 - y0) * 500) or an over-long word, the search goes back to a block
// already done (the block of the error, or a neighbour below or to the right) and clears it.
// When block 0 is reached, pairs of definitions exchange their words where that gives more
// natural arrows, and the layout is complete. There is no pass limit: the caller stops it.
//
// A pass allocates nothing and is kept free of branches the processor cannot predict where that is
// cheap, since those cost more than the instructions. Free cells are also kept as bit masks per row
// (free for an across word) and per column (free for a down word), and definition-or-outside cells
// and standard definitions per row and per column, so that the candidates of a cell and a candidate
// word are tested with a few bit operations. A try draws a cell of the block from a table of its
// cells with one multiply. Random numbers come from wyrand seeded from the injected seed: one 64-bit
// number serves two tries (std::mt19937_64 took 40 % of the time of a pass).
#pragma once

#include "scanword/ScanBlocks.h"
#include "scanword/ScanCodes.h"

#include <array>
#include <cstdint>

namespace vez {

struct ScanOptions {
    bool shortCheck = true;  // limit the number of words of 2, 3 and 4 letters
    int maxShort[5] = {0, 0, 2, 3, 16};
    bool permitArrows = false; // nonstandard (diagonal) definition codes and their exchanges
    int area = 7;              // Q, 5 … 8
};

// Error codes of a failed pass.
enum ScanError : int {
    kScanOk = 0,
    kScanSquare = 1,           // a 3 x 3 square of letters
    kScanShortH2 = 3, kScanShortV2 = 4, kScanShortH3 = 5, kScanShortV3 = 6, kScanShortH4 = 7, kScanShortV4 = 8,
    kScanBeforeIsLetter = 9,   // the cell before a bent arrow's word is a letter
    kScanUncoveredH = 11, kScanUncoveredV = 12,
    kScanLongV = 16, kScanLongH = 17,
    kScanStackedH = 22,        // three standard horizontal definitions in a column
    kScanStackedV = 23,        // three standard vertical definitions in a row
    kScanUncrossedH = 25, kScanUncrossedV = 26,
    kScanUnbalanced = 90,      // words and definitions differ in number
    kScanDisconnected = 91,    // a letter cell not connected to the others
};

struct ScanCheck {
    int error = kScanOk;
    int x = 0, y = 0; // cell at which the error was found (0 when none)
};

struct ScanWordCounts {
    int words = 0, horizontal = 0, vertical = 0;
    std::array<int, 17> byLength{}; // index 2 … 16
};

class ScanGenerator {
public:
    ScanGenerator(int width, int height, const ExcludedMap& excluded, const ScanOptions& options,
                  std::uint64_t seed);

    // One pass on the current block; true once the layout is complete.
    bool Pass();
    // Runs passes until the layout is complete (true) or `perPass` returns false (false).
    template <class F>
    bool Run(F&& perPass) {
        while (!done_) {
            if (!perPass()) return false;
            Pass();
        }
        return true;
    }

    bool done() const { return done_; }
    const TScanLayout& layout() const { return layout_; }
    // The layout as accepted, before the exchange rules ran.
    const TScanLayout& acceptedLayout() const { return accepted_; }
    const ScanBlocks& blocks() const { return blocks_; }
    int currentBlock() const { return block_; }
    std::uint64_t passes() const { return totalPasses_; }
    const ScanWordCounts& counts() const { return counts_; }

    // The steps, open for tests.
    bool PlaceDefinition(int x, int y, int n);
    void RemoveDefinition(int x, int y);
    void ClearBlock(int a);
    ScanCheck Validate(int a);
    ScanCheck CheckConnected(int a);
    void ApplyExchangeRules();
    // Replaces the layout (tests, and a layout handed back by the window).
    void SetLayout(const TScanLayout& layout);
    void SetCell(int x, int y, std::uint8_t code);

private:
    // wyrand: one multiply per number, plenty for placing definitions.
    std::uint64_t Next() {
        __extension__ typedef unsigned __int128 u128;
        state_ += 0xA0761D6478BD642Full;
        const u128 t = static_cast<u128>(state_) * (state_ ^ 0xE7037ED1A0B428DBull);
        return static_cast<std::uint64_t>(t >> 64) ^ static_cast<std::uint64_t>(t);
    }
    // Uniform 0 … n - 1 from 32 random bits.
    int Random(int n) { return static_cast<int>(((Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32); }
    bool Place(int x, int y, int n);
    void SyncMasks(int x, int y);
    void Set(int x, int y, std::uint8_t code) {
        layout_.cells[x][y] = code;
        SyncMasks(x, y);
    }
    void MoveBlock(const ScanCheck& failure);
    void Finish();

    TScanLayout layout_;
    TScanLayout accepted_;
    ExcludedMap excluded_;
    std::array<std::uint64_t, kGratSize> excludedRows_{}; // bit x of excludedRows_[y]: (x, y) excluded
    ScanOptions opt_;
    ScanBlocks blocks_;
    std::uint64_t state_ = 0;
    // Bit x + 1 of boundary_[y + 1]: (x, y) is a definition or outside cell (rows and columns -1 … 42,
    // so that the cells two steps before a word near the frame can be read as a window).
    std::array<std::uint64_t, kGratSize + 2> boundary_{};
    // The same by columns: bit y + 1 of boundaryV_[x + 1].
    std::array<std::uint64_t, kGratSize + 2> boundaryV_{};
    // Cells holding the standard across (14) and down (26) definitions, laid out as boundary_ and
    // boundaryV_: a bent word cannot start right after the standard definition of the same word.
    std::array<std::uint64_t, kGratSize + 2> standardH_{}, standardV_{};
    // Bit x of freeH_[y]: (x, y) is a letter cell not yet in an across word; freeV_[x] likewise by y.
    std::array<std::uint64_t, kGratSize> freeH_{}, freeV_{};
    // The cells of block tableBlock_, in reading order, for drawing a random cell with one multiply.
    struct BlockCell {
        std::uint16_t offset; // of cells[x][y] from cells[0][0]
        std::uint8_t x, y;
    };
    std::array<BlockCell, 64> blockCells_{};
    int cellCount_ = 0, tableBlock_ = -1;
    int block_ = 0;
    std::uint64_t blockPasses_ = 0, totalPasses_ = 0;
    bool done_ = false;
    ScanWordCounts counts_;
    int definitions_ = 0;
    // Flood-fill scratch: visited marks and an explicit stack.
    std::array<std::array<std::uint8_t, kGratSize>, kGratSize> seen_{};
    std::array<CellPos, kGratSize * kGratSize> stack_{};
};

// The error-code names used by the window's debug output and the CLI.
const char* ScanErrorName(int error);

} // namespace vez
