#include "model/Grat.h"

namespace vez {

TGrat GratFromCells(int width, int height, const std::vector<std::string>& rows) {
    TGrat g;
    g.width = width;
    g.height = height;
    for (int y = 1; y <= height; ++y)
        for (int x = 1; x <= width; ++x) {
            char c = (y - 1 < static_cast<int>(rows.size()) && x - 1 < static_cast<int>(rows[y - 1].size()))
                         ? rows[y - 1][x - 1]
                         : kBlockedCell;
            g.at(x, y) = c == kEmptyCell ? kEmptyCell : kBlockedCell;
        }
    return g;
}

TGrat GratFromShape(const TGratShape& shape) {
    TGrat g;
    g.width = shape.width;
    g.height = shape.height;
    for (int x = 1; x <= g.width; ++x)
        for (int y = 1; y <= g.height; ++y) g.at(x, y) = shape.letter[x][y] ? kEmptyCell : kBlockedCell;
    return g;
}

namespace {
// Walks a run from (x, y) in direction (dx, dy); the neighbours across the run decide crossings.
TWordSlot MakeSlot(const TGrat& g, int x, int y, char dir) {
    TWordSlot s;
    s.x = x;
    s.y = y;
    s.dir = dir;
    const int dx = dir == 'H' ? 1 : 0, dy = dir == 'H' ? 0 : 1;
    int len = 0;
    for (int cx = x, cy = y; g.at(cx, cy) == kEmptyCell; cx += dx, cy += dy) {
        bool crossed = g.at(cx - dy, cy - dx) == kEmptyCell || g.at(cx + dy, cy + dx) == kEmptyCell;
        s.pattern += crossed ? '1' : '0';
        s.crossCount += crossed;
        ++len;
    }
    // A run longer than 255 cannot occur in a 40 x 40 grid; longer than 16 is refused later.
    s.length = static_cast<std::uint8_t>(len);
    return s;
}
} // namespace

SlotTable FindSlots(const TGrat& g) {
    SlotTable t(1);
    for (int y = 1; y <= g.height; ++y)
        for (int x = 1; x <= g.width; ++x) {
            if (g.at(x, y) != kEmptyCell) continue;
            if (g.at(x + 1, y) == kEmptyCell && g.at(x - 1, y) == kBlockedCell) {
                t.push_back(MakeSlot(g, x, y, 'H'));
                t.back().number = SlotCount(t);
            }
            if (g.at(x, y + 1) == kEmptyCell && g.at(x, y - 1) == kBlockedCell) {
                t.push_back(MakeSlot(g, x, y, 'V'));
                t.back().number = SlotCount(t);
            }
        }
    return t;
}

bool BuildCrossings(const TGrat& g, SlotTable& slots) {
    // Slot starting at a cell, per direction.
    std::array<std::array<int, kGratSize>, kGratSize> startH{}, startV{};
    for (int n = 1; n <= SlotCount(slots); ++n)
        (slots[n].dir == 'H' ? startH : startV)[slots[n].x][slots[n].y] = n;
    for (int n = 1; n <= SlotCount(slots); ++n) {
        TWordSlot& s = slots[n];
        s.cross.fill(0);
        for (int k = 1; k <= static_cast<int>(s.pattern.size()); ++k) {
            if (s.pattern[k - 1] != '1') continue;
            if (k > kMaxWordLen) return false;
            CellPos c = SlotCell(s, k);
            if (s.dir == 'H') {
                while (g.at(c.x, c.y - 1) == kEmptyCell) --c.y;
                s.cross[k] = startV[c.x][c.y];
            } else {
                while (g.at(c.x - 1, c.y) == kEmptyCell) --c.x;
                s.cross[k] = startH[c.x][c.y];
            }
        }
    }
    return true;
}

void MarkOutside(TGrat& g) {
    const int w = g.width, h = g.height;
    for (int x = 1; x <= w; ++x) {
        if (g.at(x, 1) == kBlockedCell) g.at(x, 1) = kOutsideCell;
        if (g.at(x, h) == kBlockedCell) g.at(x, h) = kOutsideCell;
    }
    for (int y = 1; y <= h; ++y) {
        if (g.at(1, y) == kBlockedCell) g.at(1, y) = kOutsideCell;
        if (g.at(w, y) == kBlockedCell) g.at(w, y) = kOutsideCell;
    }
    auto touchesOutside = [&](int x, int y) {
        return g.at(x - 1, y) == kOutsideCell || g.at(x + 1, y) == kOutsideCell || g.at(x, y - 1) == kOutsideCell ||
               g.at(x, y + 1) == kOutsideCell;
    };
    for (bool changed = true; changed;) {
        changed = false;
        for (int y = 2; y <= h - 1; ++y)
            for (int x = 2; x <= w - 1; ++x)
                if (g.at(x, y) == kBlockedCell && touchesOutside(x, y)) g.at(x, y) = kOutsideCell, changed = true;
        for (int y = h - 1; y >= 2; --y)
            for (int x = w - 1; x >= 2; --x)
                if (g.at(x, y) == kBlockedCell && touchesOutside(x, y)) g.at(x, y) = kOutsideCell, changed = true;
    }
}

} // namespace vez
