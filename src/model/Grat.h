// The composition model: the grid (TGrat), its word slots (TWordSlot) and the rules by which slots
// are found, numbered and crossed.
//
// The grid is a 42 x 42 matrix indexed [x][y] whose puzzle occupies columns 1 … width and rows
// 1 … height; everything else is the blocked code '.', so every puzzle cell has four readable
// neighbours. Slots are numbered row by row, left to right, an across slot before a down slot
// starting in the same cell; the table is indexed from 1 (entry 0 is unused).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vez {

inline constexpr int kGratSize = 42;
inline constexpr int kMaxGridSide = 40;
inline constexpr int kMaxWordLen = 16;

inline constexpr char kEmptyCell = '*';
inline constexpr char kBlockedCell = '.';
inline constexpr char kOutsideCell = ' ';

// Any code above '1' is a placed letter.
inline bool IsLetterCode(char c) { return static_cast<unsigned char>(c) > '1'; }

struct TGrat {
    std::array<std::array<char, kGratSize>, kGratSize> cells; // [x][y]
    int width = 0;
    int height = 0;

    TGrat() { Clear(); }
    void Clear() {
        for (auto& col : cells) col.fill(kBlockedCell);
        width = height = 0;
    }
    char& at(int x, int y) { return cells[x][y]; }
    char at(int x, int y) const { return cells[x][y]; }
};

struct TWordSlot {
    int number = 0;
    int x = 0, y = 0;
    std::uint8_t length = 0;
    char dir = 'H'; // 'H' across, 'V' down
    std::string pattern; // '1' where the letter is crossed
    int crossCount = 0;
    std::array<int, kMaxWordLen + 1> cross{}; // cross[k], k = 1 … length: crossing slot or 0
    std::string word;
    std::string lastWord;
};

// Index 0 is a placeholder; slots are 1 … size() - 1.
using SlotTable = std::vector<TWordSlot>;
inline int SlotCount(const SlotTable& t) { return t.empty() ? 0 : static_cast<int>(t.size()) - 1; }

struct CellPos {
    int x = 0, y = 0;
    bool operator==(const CellPos&) const = default;
};

// Letter k (1-based) of a slot.
inline CellPos SlotCell(const TWordSlot& s, int k) {
    return s.dir == 'H' ? CellPos{s.x + k - 1, s.y} : CellPos{s.x, s.y + k - 1};
}

// One grid shape of the storage: letter squares (true) in columns 1 … width and rows 1 … height,
// with a zero border.
struct TGratShape {
    int width = 0;
    int height = 0;
    std::array<std::array<bool, kGratSize>, kGratSize> letter{}; // [x][y]
};

TGrat GratFromShape(const TGratShape& shape);

TGrat GratFromCells(int width, int height, const std::vector<std::string>& rows); // '*' letters, else '.'

// Scanword cell codes: 0 … 3 letter cells, above 3 not.
template <class Layout>
TGrat GratFromScan(const Layout& layout) {
    TGrat g;
    g.width = layout.width;
    g.height = layout.height;
    for (int x = 1; x <= g.width; ++x)
        for (int y = 1; y <= g.height; ++y) g.at(x, y) = layout.cells[x][y] <= 3 ? kEmptyCell : kBlockedCell;
    return g;
}

// Finds and numbers the slots of a grid whose letter cells are all '*'.
SlotTable FindSlots(const TGrat& grat);

// Fills `cross` of every slot. Fails (returns false) when a crossed letter lies beyond the 16th
// of its run: such a run cannot be composed.
bool BuildCrossings(const TGrat& grat, SlotTable& slots);

// Turns blocked cells joined to the border through blocked cells into ' ' (documents only).
void MarkOutside(TGrat& grat);

// Kind of puzzle: "Cros", "Scan" or "Japan"; only "Cros" is a crossword.
inline bool IsCrossword(const std::string& crosKind) { return crosKind == "Cros"; }

} // namespace vez
