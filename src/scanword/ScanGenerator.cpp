#include "scanword/ScanGenerator.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <cstring>

namespace vez {
namespace {

// Definition codes in the order a free cell tries them, with the offset of the word's first letter;
// the last four are the nonstandard (diagonal) ones.
struct Candidate {
    std::uint8_t code;
    std::int8_t sx, sy;
    bool horiz;
};
constexpr Candidate kCandidates[] = {
    {23, 1, -1, false}, {24, 1, 0, false}, {16, 0, 1, true},  {17, -1, 1, true}, {12, 0, -1, true},
    {21, -1, -1, false}, {11, -1, -1, true}, {28, -1, 0, false}, {14, 1, 0, true}, {26, 0, 1, false},
    {13, 1, -1, true},  {15, 1, 1, true},   {25, 1, 1, false}, {27, -1, 1, false},
};
// For each candidate, as indices into per-call tables of the two directions (0 down, 1 across): the
// offset of the free mask of its word from the definition's row or column, and the offset of its
// first letter within that mask.
struct CandidateReach {
    std::uint8_t dir;
    std::int8_t line, first;
};
constexpr std::array<CandidateReach, std::size(kCandidates)> kReach = [] {
    std::array<CandidateReach, std::size(kCandidates)> r{};
    for (size_t i = 0; i < r.size(); ++i) {
        const Candidate& k = kCandidates[i];
        r[i] = {static_cast<std::uint8_t>(k.horiz), k.horiz ? k.sy : k.sx, k.horiz ? k.sx : k.sy};
    }
    return r;
}();

// A pair of definitions that exchange their words: X at (a, b), partner at (a + dx, b + dy).
struct Exchange {
    std::uint8_t x;
    int dx, dy;
    std::uint8_t partner, newX, newPartner;
};
// Partners two cells away are only looked for inside the matrix (the guards of the rules).
bool PartnerInside(const Exchange& e, int a, int b) {
    return a + e.dx >= 0 && a + e.dx < kGratSize && b + e.dy >= 0 && b + e.dy < kGratSize;
}

constexpr Exchange kFirstGroup[] = {
    {17, -2, 1, 23, 28, 14}, {17, -1, 2, 23, 26, 12}, {24, 2, 1, 11, 14, 21},
    {16, -1, 1, 24, 26, 14}, {16, 1, 2, 21, 26, 11},
};
constexpr Exchange kSecondGroup[] = {
    {24, 0, 1, 13, 14, 23}, {25, 1, 0, 17, 16, 26}, {25, 0, 1, 13, 14, 24}, {25, 1, 0, 27, 26, 26},
    {25, 0, 1, 21, 28, 24}, {25, 0, 1, 14, 15, 24}, {25, 1, 0, 11, 12, 26}, {25, 0, 2, 11, 17, 23},
    {15, 0, 1, 23, 24, 14}, {15, 2, 0, 21, 23, 17}, {15, 2, 0, 28, 24, 17}, {15, 0, 1, 13, 14, 14},
    {15, 0, 1, 21, 28, 14}, {15, 1, 0, 26, 25, 16}, {13, 1, 0, 17, 16, 12}, {13, 2, 0, 21, 23, 11},
    {16, 1, 0, 27, 26, 17}, {27, -2, 1, 14, 17, 24}, {27, 0, 2, 11, 17, 21}, {12, 1, 0, 27, 26, 11},
};

template <size_t N>
void ApplyGroup(ScanCells& c, int a, int b, const Exchange (&group)[N]) {
    for (const Exchange& e : group) {
        if (c[a][b] != e.x || !PartnerInside(e, a, b)) continue;
        std::uint8_t& p = c[a + e.dx][b + e.dy];
        if (p != e.partner) continue;
        c[a][b] = e.newX;
        p = e.newPartner;
        return;
    }
}

// The cells as bytes: cells[x][y] is byte x * kGratSize + y, so the cells of a column follow
// each other.
static_assert(sizeof(ScanCells) == kGratSize * kGratSize);
std::uint8_t* CellByte(ScanCells& c, int x, int y) { return reinterpret_cast<std::uint8_t*>(&c) + x * kGratSize + y; }

// Sets or clears the down bit (2) of `count` cells of a column from p, eight bytes at a time, without
// a branch per cell. The bytes after them up to the next multiple of eight are rewritten unchanged:
// for a column inside the grid (x <= 40) they still lie within the cells.
void MarkDown(std::uint8_t* p, int count, bool set) {
    for (; count > 0; count -= 8, p += 8) {
        const std::uint64_t bytes = count >= 8 ? ~0ull : (1ull << (8 * count)) - 1;
        const std::uint64_t m = bytes & 0x0202020202020202ull;
        std::uint64_t v;
        std::memcpy(&v, p, 8);
        v = set ? v | m : v & ~m;
        std::memcpy(p, &v, 8);
    }
}

} // namespace

ScanGenerator::ScanGenerator(int width, int height, const ExcludedMap& excluded, const ScanOptions& options,
                             std::uint64_t seed)
    : excluded_(excluded), opt_(options) {
    state_ = seed;
    boundary_.fill(~0ull); // rows -1 and 42 (and every column outside) are boundary
    boundaryV_.fill(~0ull);
    for (int x = 0; x < kGratSize; ++x)
        for (int y = 0; y < kGratSize; ++y)
            if (excluded_[x][y]) excludedRows_[y] |= 1ull << x;
    TScanLayout l;
    l.width = width;
    l.height = height;
    for (int x = 1; x <= width; ++x)
        for (int y = 1; y <= height; ++y) l.cells[x][y] = excluded_[x][y] ? kScanOutside : 0;
    SetLayout(l);
    blocks_ = ComputeScanBlocks(width, height, std::clamp(opt_.area, 5, 8));
    block_ = blocks_.count();
}

void ScanGenerator::SyncMasks(int x, int y) {
    const std::uint8_t c = layout_.cells[x][y];
    const std::uint64_t bx = 1ull << x, by = 1ull << y;
    if (c <= 3 && !(c & 1)) freeH_[y] |= bx; else freeH_[y] &= ~bx;
    if (c <= 3 && !(c & 2)) freeV_[x] |= by; else freeV_[x] &= ~by;
    const auto mark = [](std::uint64_t& line, std::uint64_t bit, bool on) { line = on ? line | bit : line & ~bit; };
    mark(boundary_[y + 1], bx << 1, IsScanBoundary(c));
    mark(boundaryV_[x + 1], by << 1, IsScanBoundary(c));
    mark(standardH_[y + 1], bx << 1, c == 14);
    mark(standardV_[x + 1], by << 1, c == 26);
}

void ScanGenerator::SetLayout(const TScanLayout& layout) {
    layout_ = layout;
    for (int x = 0; x < kGratSize; ++x)
        for (int y = 0; y < kGratSize; ++y) SyncMasks(x, y);
}

void ScanGenerator::SetCell(int x, int y, std::uint8_t code) { Set(x, y, code); }

bool ScanGenerator::PlaceDefinition(int x, int y, int n) { return Place(x, y, n); }

inline bool ScanGenerator::Place(int x, int y, int n) {
    // Cells where a bent word may start (free in its direction, after a definition or outside cell that
    // is not already the standard definition of that word) in the row above and below and the column
    // left and right of (x, y): bit 0 is the cell at x - 1 (y - 1), bit 2 at x + 1 (y + 1).
    const std::uint64_t above = (freeH_[y - 1] & boundary_[y] & ~standardH_[y]) >> (x - 1);
    const std::uint64_t below = (freeH_[y + 1] & boundary_[y + 2] & ~standardH_[y + 2]) >> (x - 1);
    const std::uint64_t left = (freeV_[x - 1] & boundaryV_[x] & ~standardV_[x]) >> (y - 1);
    const std::uint64_t right = (freeV_[x + 1] & boundaryV_[x + 2] & ~standardV_[x + 2]) >> (y - 1);
    // Bit i: candidate i of kCandidates is open. The standard arrows (14, 26) start right after the
    // new definition, so only their first letter must be free.
    std::uint32_t open = static_cast<std::uint32_t>((right & 3) | (below & 2) << 1 | (below & 1) << 3 | (above & 2) << 3 |
                                                    (left & 1) << 5 | (above & 1) << 6 | (left & 2) << 6 |
                                                    ((freeH_[y] >> (x + 1)) & 1) << 8 |
                                                    ((freeV_[x] >> (y + 1)) & 1) << 9);
    if (opt_.permitArrows)
        open |= static_cast<std::uint32_t>((above & 4) << 8 | (below & 4) << 9 | (right & 4) << 10 | (left & 4) << 11);
    // The first open candidate (in the fixed order) whose word of length n fits is taken. A word
    // reaching past the grid never fits: the frame column and row are never free.
    // The free mask and the bit of the word's first letter are picked by table rather than by a
    // branch on the direction, which the processor could not predict.
    std::uint64_t* const lines[2] = {freeV_.data() + x, freeH_.data() + y};
    const int pos[2] = {y, x};
    const std::uint64_t word = (1ull << n) - 1;
    for (; open; open &= open - 1) {
        const int i = std::countr_zero(open);
        const CandidateReach r = kReach[i];
        std::uint64_t& line = lines[r.dir][r.line];
        const std::uint64_t want = word << (pos[r.dir] + r.first);
        if ((line & want) != want) continue;
        const Candidate& k = kCandidates[i];
        const int sx = x + k.sx, sy = y + k.sy;
        ScanCells& c = layout_.cells;
        c[x][y] = k.code;
        freeH_[y] &= ~(1ull << x);
        freeV_[x] &= ~(1ull << y);
        boundary_[y + 1] |= 1ull << (x + 1);
        boundaryV_[x + 1] |= 1ull << (y + 1);
        if (k.code == 14) standardH_[y + 1] |= 1ull << (x + 1);
        if (k.code == 26) standardV_[x + 1] |= 1ull << (y + 1);
        line &= ~want;
        if (k.horiz)
            for (int j = 0; j < n; ++j) c[sx + j][sy] |= 1;
        else
            MarkDown(CellByte(c, sx, sy), n, true);
        return true;
    }
    return false;
}

void ScanGenerator::RemoveDefinition(int x, int y) {
    ScanCells& c = layout_.cells;
    const std::uint8_t code = c[x][y];
    const CellPos s = ScanFirstLetter(code, x, y);
    // The word's letters run from its first letter to the next definition or outside cell; each of
    // them is freed for the word's direction.
    if (code < 20) {
        const int len = std::countr_zero(boundary_[s.y + 1] >> (s.x + 1));
        for (int j = 0; j < len; ++j) c[s.x + j][s.y] &= static_cast<std::uint8_t>(~1u);
        freeH_[s.y] |= ((1ull << len) - 1) << s.x;
    } else {
        const int len = std::countr_zero(boundaryV_[s.x + 1] >> (s.y + 1));
        MarkDown(CellByte(c, s.x, s.y), len, false);
        freeV_[s.x] |= ((1ull << len) - 1) << s.y;
    }
    // The definition's cell becomes a letter cell in no word.
    c[x][y] = 0;
    freeH_[y] |= 1ull << x;
    freeV_[x] |= 1ull << y;
    boundary_[y + 1] &= ~(1ull << (x + 1));
    boundaryV_[x + 1] &= ~(1ull << (y + 1));
    standardH_[y + 1] &= ~(1ull << (x + 1));
    standardV_[x + 1] &= ~(1ull << (y + 1));
}

void ScanGenerator::ClearBlock(int a) {
    const int x0 = blocks_.x0(a), x1 = blocks_.x1(a), y0 = blocks_.y0(a), y1 = blocks_.y1(a);
    const std::uint64_t columns = ((2ull << (x1 - x0)) - 1) << x0;
    for (int y = y0; y <= y1; ++y)
        // Only definitions, outside and excluded cells can need clearing.
        for (std::uint64_t m = ((boundary_[y + 1] >> 1) | excludedRows_[y]) & columns; m; m &= m - 1) {
            const int x = std::countr_zero(m);
            if (excluded_[x][y])
                Set(x, y, kScanOutside);
            else if (IsScanDefinition(layout_.cells[x][y]))
                RemoveDefinition(x, y);
        }
}

ScanCheck ScanGenerator::Validate(int a) {
    const ScanCells& c = layout_.cells;
    const int W = layout_.width, H = layout_.height;
    const bool counting = a == 1;
    const bool crossTest = W > 4 && H > 4;
    int shortCount[5] = {0, 0, 0, 0, 0};
    if (counting) {
        counts_ = {};
        definitions_ = 0;
    }
    // Tests a run starting at (x, y) in direction (dx, dy); `mark` is the code bit of that direction.
    auto checkRun = [&](int x, int y, int dx, int dy, std::uint8_t mark, int uncovered, int tooLong,
                        int shortBase, int uncrossed) -> int {
        if (!(c[x][y] & mark)) return uncovered;
        int len = 0, crossed = 0;
        for (int px = x, py = y; c[px][py] <= 3; px += dx, py += dy, ++len)
            crossed += c[px - dy][py - dx] <= 3 || c[px + dy][py + dx] <= 3;
        if (len > kMaxWordLen) return tooLong;
        if (opt_.shortCheck && len <= 4 && ++shortCount[len] > opt_.maxShort[len]) return shortBase + 2 * (len - 2);
        if (crossTest && crossed < 2) return uncrossed;
        if (counting) {
            ++counts_.words;
            ++(dx ? counts_.horizontal : counts_.vertical);
            ++counts_.byLength[len];
        }
        return kScanOk;
    };
    for (int y = blocks_.y0(a); y <= H; ++y)
        for (int x = blocks_.x0(a); x <= W; ++x) {
            const std::uint8_t v = c[x][y];
            if (v <= 3) {
                if (c[x - 1][y] > 10 && c[x + 1][y] <= 3)
                    if (int e = checkRun(x, y, 1, 0, 1, kScanUncoveredH, kScanLongH, kScanShortH2, kScanUncrossedH))
                        return {e, x, y};
                if (c[x][y - 1] > 10 && c[x][y + 1] <= 3)
                    if (int e = checkRun(x, y, 0, 1, 2, kScanUncoveredV, kScanLongV, kScanShortV2, kScanUncrossedV))
                        return {e, x, y};
                if (c[x - 1][y - 1] <= 3 && c[x][y - 1] <= 3 && c[x + 1][y - 1] <= 3 && c[x - 1][y] <= 3 &&
                    c[x + 1][y] <= 3 && c[x - 1][y + 1] <= 3 && c[x][y + 1] <= 3 && c[x + 1][y + 1] <= 3)
                    return {kScanSquare, x, y};
                continue;
            }
            if (v == 26 && c[x - 1][y] == 26 && c[x + 1][y] == 26) return {kScanStackedV, x, y};
            if (v == 14 && c[x][y - 1] == 14 && c[x][y + 1] == 14) return {kScanStackedH, x, y};
            if (IsScanDefinition(v)) {
                if (v != 14 && v != 26) {
                    const CellPos s = ScanFirstLetter(v, x, y), d = ScanWordStep(v);
                    const int bx = s.x - d.x, by = s.y - d.y;
                    const std::uint8_t before = bx >= 0 && by >= 0 ? c[bx][by] : kScanOutside;
                    if (before >= 1 && before <= 3) return {kScanBeforeIsLetter, x, y};
                }
                if (counting) ++definitions_;
            }
        }
    return {};
}

ScanCheck ScanGenerator::CheckConnected(int a) {
    const ScanCells& c = layout_.cells;
    const int W = layout_.width, H = layout_.height;
    int startX = 0;
    for (int x = W; x >= blocks_.x0(a) && !startX; --x)
        if (c[x][H] <= 3) startX = x;
    for (auto& col : seen_) col.fill(0);
    if (startX) {
        int top = 0;
        stack_[top++] = {startX, H};
        seen_[startX][H] = 1;
        while (top) {
            const CellPos p = stack_[--top];
            const CellPos next[4] = {{p.x - 1, p.y}, {p.x + 1, p.y}, {p.x, p.y - 1}, {p.x, p.y + 1}};
            for (const CellPos& q : next)
                if (c[q.x][q.y] <= 3 && !seen_[q.x][q.y]) {
                    seen_[q.x][q.y] = 1;
                    stack_[top++] = q;
                }
        }
    }
    for (int y = H; y >= 1; --y)
        for (int x = 1; x <= W; ++x)
            if (c[x][y] <= 3 && !seen_[x][y]) return {kScanDisconnected, x, y};
    return {};
}

void ScanGenerator::MoveBlock(const ScanCheck& failure) {
    const int total = blocks_.count(), nx = blocks_.nx;
    int e = failure.x ? blocks_.BlockOf(failure.x, failure.y) : block_;
    if (failure.error == kScanLongV && e + nx <= total) e += nx;
    if (failure.error == kScanLongH && e + 1 <= total) e += 1;
    int a = block_;
    if (e > a)
        a = e;
    else if (a + nx > total)
        a += 1;
    else if ((a - 1) % nx != nx - 1)
        a += Random(2) ? nx : 1;
    else
        a += nx;
    block_ = std::min(a, total);
    blockPasses_ = 0;
    ClearBlock(block_);
}

bool ScanGenerator::Pass() {
    if (done_) return true;
    ++blockPasses_;
    ++totalPasses_;
    const int a = block_;
    const int x0 = blocks_.x0(a), x1 = blocks_.x1(a), y0 = blocks_.y0(a), y1 = blocks_.y1(a);
    const int area = (x1 - x0) * (y1 - y0);
    if (tableBlock_ != a) {
        cellCount_ = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                blockCells_[cellCount_++] = {static_cast<std::uint16_t>(x * kGratSize + y), static_cast<std::uint8_t>(x),
                                             static_cast<std::uint8_t>(y)};
        tableBlock_ = a;
    }
    // A try takes 32 random bits: the high half of their product with the number of cells picks the
    // cell, the low half (uniform as well) the length of a word placed there.
    const std::uint8_t* cellBytes = CellByte(layout_.cells, 0, 0);
    const auto tryCell = [&](std::uint32_t bits) {
        const std::uint64_t m = static_cast<std::uint64_t>(bits) * cellCount_;
        const BlockCell p = blockCells_[m >> 32];
        if (cellBytes[p.offset] == 0)
            Place(p.x, p.y, 2 + static_cast<int>(((m & 0xFFFFFFFFu) * 9) >> 32));
    };
    int t = area * 5;
    for (; t >= 2; t -= 2) {
        const std::uint64_t r = Next();
        tryCell(static_cast<std::uint32_t>(r));
        tryCell(static_cast<std::uint32_t>(r >> 32));
    }
    if (t) tryCell(static_cast<std::uint32_t>(Next()));
    ScanCheck check = Validate(a);
    if (!check.error && a == 1 && counts_.words != definitions_) check = {kScanUnbalanced, 0, 0};
    if (!check.error) check = CheckConnected(a);
    if (!check.error) {
        blockPasses_ = 0;
        if (--block_ == 0) Finish();
        return done_;
    }
    ClearBlock(a);
    const std::uint64_t limit = 5ull * static_cast<std::uint64_t>(area) * 500;
    if (blockPasses_ > limit || check.error == kScanLongH || check.error == kScanLongV) MoveBlock(check);
    return false;
}

void ScanGenerator::ApplyExchangeRules() {
    ScanCells& c = layout_.cells;
    for (int b = 1; b <= layout_.height; ++b)
        for (int a = 1; a <= layout_.width; ++a) {
            if (!IsScanDefinition(c[a][b])) continue;
            ApplyGroup(c, a, b, kFirstGroup);
            if (opt_.permitArrows) ApplyGroup(c, a, b, kSecondGroup);
        }
}

void ScanGenerator::Finish() {
    accepted_ = layout_;
    ApplyExchangeRules();
    done_ = true;
}

const char* ScanErrorName(int error) {
    switch (error) {
    case kScanOk: return "ok";
    case kScanSquare: return "3x3 letters";
    case kScanShortH2: case kScanShortV2: return "too many 2-letter words";
    case kScanShortH3: case kScanShortV3: return "too many 3-letter words";
    case kScanShortH4: case kScanShortV4: return "too many 4-letter words";
    case kScanBeforeIsLetter: return "letter before a bent word";
    case kScanUncoveredH: case kScanUncoveredV: return "word without definition";
    case kScanLongV: case kScanLongH: return "word longer than 16";
    case kScanStackedH: case kScanStackedV: return "three standard definitions in a line";
    case kScanUncrossedH: case kScanUncrossedV: return "word crossed fewer than twice";
    case kScanUnbalanced: return "words and definitions differ";
    case kScanDisconnected: return "letters not connected";
    default: return "unknown";
    }
}

} // namespace vez
