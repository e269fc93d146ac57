#include "scanword/ScanGenerator.h"

#include <algorithm>
#include <bit>
#include <utility>
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
constexpr int kStandardCandidates = 10;

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

} // namespace

ScanGenerator::ScanGenerator(int width, int height, const ExcludedMap& excluded, const ScanOptions& options,
                             std::uint64_t seed)
    : excluded_(excluded), opt_(options) {
    state_ = seed;
    boundary_.fill(~0ull); // rows -1 and 42 (and every column outside) are boundary
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
    if (IsScanBoundary(c)) boundary_[y + 1] |= bx << 1; else boundary_[y + 1] &= ~(bx << 1);
}

void ScanGenerator::SetLayout(const TScanLayout& layout) {
    layout_ = layout;
    for (int x = 0; x < kGratSize; ++x)
        for (int y = 0; y < kGratSize; ++y) SyncMasks(x, y);
}

void ScanGenerator::SetCell(int x, int y, std::uint8_t code) { Set(x, y, code); }

namespace {
// Whether candidate I could start a word next to (x, y), apart from the word's length: its first
// letter is free in its direction and, for a bent arrow, the cell before the word is a boundary not
// already holding the standard definition of that word. Compiled once per candidate.
// Windows of the masks around a cell (x, y): bit i of freeRow[j] is cell (x - 1 + i, y - 1 + j) free
// across, bit j of freeCol[i] the same cell free down, bit i of bound[j] cell (x - 2 + i, y - 2 + j) a
// definition or outside.
struct Around {
    std::uint64_t freeRow[3], freeCol[3], bound[4];
};

// Whether candidate I could start a word next to the cell, apart from the word's length and the code
// already before it: its first letter is free in its direction and, for a bent arrow, the cell
// before the word is a boundary. Compiled once per candidate.
template <size_t I>
std::uint32_t CandidateOpen(const Around& w) {
    constexpr Candidate k = kCandidates[I];
    constexpr bool standard = k.code == 14 || k.code == 26;
    const std::uint64_t free = k.horiz ? w.freeRow[k.sy + 1] >> (k.sx + 1) : w.freeCol[k.sx + 1] >> (k.sy + 1);
    const std::uint64_t bound = standard ? 1 : k.horiz ? w.bound[k.sy + 2] >> (k.sx + 1) : w.bound[k.sy + 1] >> (k.sx + 2);
    return static_cast<std::uint32_t>(free & bound & 1) << I;
}
template <size_t... I>
std::uint32_t OpenCandidates(const Around& w, std::index_sequence<I...>) {
    return (CandidateOpen<I>(w) | ...);
}
} // namespace

bool ScanGenerator::PlaceDefinition(int x, int y, int n) {
    ScanCells& c = layout_.cells;
    const Around w{{freeH_[y - 1] >> (x - 1), freeH_[y] >> (x - 1), freeH_[y + 1] >> (x - 1)},
                   {freeV_[x - 1] >> (y - 1), freeV_[x] >> (y - 1), freeV_[x + 1] >> (y - 1)},
                   {boundary_[y - 1] >> (x - 1), boundary_[y] >> (x - 1), boundary_[y + 1] >> (x - 1),
                    boundary_[y + 2] >> (x - 1)}};
    std::uint32_t open = opt_.permitArrows ? OpenCandidates(w, std::make_index_sequence<std::size(kCandidates)>{})
                                           : OpenCandidates(w, std::make_index_sequence<kStandardCandidates>{});
    // The first open candidate (in the fixed order) whose word of length n fits is taken.
    for (; open; open &= open - 1) {
        const Candidate& k = kCandidates[std::countr_zero(open)];
        const CellPos s{x + k.sx, y + k.sy};
        if (k.code != 14 && k.code != 26) {
            // The cell before the word must not already define it with the standard arrow.
            const std::uint8_t before = k.horiz ? c[s.x - 1][s.y] : c[s.x][s.y - 1];
            if (before == (k.horiz ? 14 : 26)) continue;
        }
        const int len = std::min(n, kGratSize - (k.horiz ? s.x : s.y));
        const std::uint64_t want = ((1ull << len) - 1) << (k.horiz ? s.x : s.y);
        std::uint64_t& line = k.horiz ? freeH_[s.y] : freeV_[s.x];
        if ((line & want) != want) continue;
        c[x][y] = k.code;
        freeH_[y] &= ~(1ull << x);
        freeV_[x] &= ~(1ull << y);
        boundary_[y + 1] |= 1ull << (x + 1);
        line &= ~want;
        if (k.horiz)
            for (int j = 0; j < len; ++j) c[s.x + j][s.y] |= 1;
        else
            for (int j = 0; j < len; ++j) c[s.x][s.y + j] |= 2;
        return true;
    }
    return false;
}

void ScanGenerator::RemoveDefinition(int x, int y) {
    ScanCells& c = layout_.cells;
    const std::uint8_t code = c[x][y];
    const CellPos s = ScanFirstLetter(code, x, y);
    // Every letter cell of the run is freed for the word's direction.
    if (code < 20)
        for (int px = s.x; c[px][s.y] <= 10; ++px) {
            c[px][s.y] &= static_cast<std::uint8_t>(~1u);
            if (c[px][s.y] <= 3) freeH_[s.y] |= 1ull << px;
        }
    else
        for (int py = s.y; c[s.x][py] <= 10; ++py) {
            c[s.x][py] &= static_cast<std::uint8_t>(~2u);
            if (c[s.x][py] <= 3) freeV_[s.x] |= 1ull << py;
        }
    Set(x, y, 0);
}

void ScanGenerator::ClearBlock(int a) {
    ScanCells& c = layout_.cells;
    for (int y = blocks_.y0(a); y <= blocks_.y1(a); ++y)
        for (int x = blocks_.x0(a); x <= blocks_.x1(a); ++x) {
            if (excluded_[x][y])
                Set(x, y, kScanOutside);
            else if (IsScanDefinition(c[x][y]))
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
    for (int t = area * 5; t > 0; --t) {
        // One draw gives the cell and the length of a word placed there.
        const std::uint64_t r = Next();
        const int x = x0 + Bounded(r & 0x1FFFFF, x1 - x0 + 1), y = y0 + Bounded((r >> 21) & 0x1FFFFF, y1 - y0 + 1);
        if (layout_.cells[x][y] == 0) PlaceDefinition(x, y, 2 + Bounded(r >> 43, 9));
    }
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
