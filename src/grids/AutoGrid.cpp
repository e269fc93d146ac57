#include "grids/AutoGrid.h"

#include "platform/Text.h"

#include <algorithm>
#include <cassert>
#include <random>

namespace vez {

namespace {

using Matrix = std::array<std::array<bool, kGratSize>, kGratSize>;

constexpr int kStartTargetFill = 80;
constexpr int kMinAttemptLimit = 1000;
constexpr int kAttemptLimitSpread = 9000;

void ClearMatrix(Matrix& a) {
    for (auto& col : a)
        col.fill(false);
}

void ClearWithPartners(TGratShape& s, int symmetry, int i, int j) {
    for (CellPos p : SymmetricPartners(symmetry, s.width, s.height, i, j))
        s.letter[p.x][p.y] = false;
}

// The placement loop of one trial on the generation area.
class Placement {
  public:
    Placement(TGratShape& shape, int symmetry, std::mt19937_64& rng)
        : a_(shape.letter), w_(shape.width), h_(shape.height), rng_(rng) {
        AutoGridArea area = GenerationArea(w_, h_, symmetry);
        hw_ = area.width;
        hh_ = area.height;
        // The last area column (row) lies beside its own mirror image when the grid is mirrored
        // across an even width (height); a word there would stand side by side with its image.
        // Without that mirror the line is the grid's edge, and the acceptance needs letters in it.
        lastColumnBesideMirror_ = hw_ < w_ && w_ % 2 == 0;
        lastRowBesideMirror_ = hh_ < h_ && h_ % 2 == 0;
        // Strictness comes after a third of the longer area side in across words; counted on the
        // height alone, a wide flat area turns strict before its words can spread across it.
        strictAfter_ = (std::max(hw_, hh_) + 2) / 3;
    }

    // False when the tick asked to stop.
    bool Run(const AutoGridTick& tick) {
        int letters = 0;
        int target = kStartTargetFill;
        const int attemptLimit = kMinAttemptLimit + Random(kAttemptLimitSpread);
        int attempts = 0;
        bool strict = false;

        int len = DrawLength(hw_);
        int row = AcrossRow();
        for (int c = 1; c <= len; ++c)
            a_[c][row] = true;
        letters += len;
        int placedAcross = 1;

        double fill = 0;
        do {
            ++attempts;
            if (TryDown(strict ? 1 : 0, letters) && placedAcross > strictAfter_) strict = true;
            if (TryAcross(strict ? 1 : 0, letters)) ++placedAcross;
            if (attempts > attemptLimit) --target;
            if (tick && !tick()) return false;
            fill = letters * 100.0 / hw_ / hh_;
        } while (fill <= target);
        return true;
    }

  private:
    int Random(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    // Uniform over 3 … min(side, 16).
    int DrawLength(int side) {
        int len;
        do
            len = 3 + Random(side - 2);
        while (len > kMaxWordLen);
        return len;
    }

    int AcrossRow() {
        int y = 1 + Random(hh_);
        if (y == hh_ && lastRowBesideMirror_) y = hh_ - 1;
        return y;
    }

    bool TryDown(int mustExceed, int& letters) {
        const int len = DrawLength(hh_);
        int x = 1 + Random(hw_);
        if (x == hw_ && lastColumnBesideMirror_) x = hw_ - 1;
        const int y = 1 + Random(hh_ - len + 1);

        int crossings = 0;
        for (int r = y; r < y + len; ++r)
            if (a_[x - 1][r] || a_[x + 1][r]) ++crossings;
        // A down pair already in this column near the word, or in a neighbouring column along it.
        for (int r = y - 1; r <= y + len; ++r) {
            if (r <= hh_ && a_[x][r] && a_[x][r + 1]) return false;
            if (r >= 1 && a_[x][r - 1] && a_[x][r]) return false;
        }
        for (int r = y - 1; r <= y + len - 1; ++r)
            if ((a_[x - 1][r] && a_[x - 1][r + 1]) || (a_[x + 1][r] && a_[x + 1][r + 1])) return false;
        if (crossings <= mustExceed) return false;

        for (int r = y; r < y + len; ++r)
            a_[x][r] = true;
        letters += len;
        return true;
    }

    bool TryAcross(int mustExceed, int& letters) {
        const int len = DrawLength(hw_);
        const int x = 1 + Random(hw_ - len + 1);
        const int y = AcrossRow();

        int crossings = 0;
        for (int c = x; c < x + len; ++c)
            if (a_[c][y - 1] || a_[c][y + 1]) ++crossings;
        for (int c = x - 1; c <= x + len; ++c) {
            if (c <= hw_ && a_[c][y] && a_[c + 1][y]) return false;
            if (c >= 1 && a_[c - 1][y] && a_[c][y]) return false;
        }
        for (int c = x - 1; c <= x + len - 1; ++c)
            if ((a_[c][y - 1] && a_[c + 1][y - 1]) || (a_[c][y + 1] && a_[c + 1][y + 1])) return false;
        if (crossings <= mustExceed) return false;

        for (int c = x; c < x + len; ++c)
            a_[c][y] = true;
        letters += len;
        return true;
    }

    Matrix& a_;
    int w_, h_;
    int hw_ = 0, hh_ = 0;
    bool lastColumnBesideMirror_ = false, lastRowBesideMirror_ = false;
    int strictAfter_ = 0;
    std::mt19937_64& rng_;
};

// A run of letter squares found by a clean-up scan: `len` squares from the start, crossed where
// a square stands beside it across the run's direction.
struct RunCrossings {
    int len = 0;
    int crossed = 0;
    int first = -1; // index of the first crossed square
    int last = -1;  // index of the last crossed square
};

} // namespace

AutoGridArea GenerationArea(int width, int height, int symmetry) {
    const bool halfWidth = symmetry == kSymmetryFull || symmetry == kSymmetryVertical;
    const bool halfHeight = symmetry == kSymmetryFull || symmetry == kSymmetryHorizontal;
    return {halfWidth ? (width + 1) / 2 : width, halfHeight ? (height + 1) / 2 : height};
}

std::optional<MsgBoxRequest> AutoGridSizeRefusal(int width, int height) {
    if (width >= kAutoGridMinSide && height >= kAutoGridMinSide) return std::nullopt;
    return MsgBoxRequest{ru("Решетка размером меньше\r7 рисуется вручную !"), ru(" Авторешетка"), kBtnCancel,
                         kBtnCancel, kIconInfo};
}

void MirrorGenerationArea(TGratShape& s, int symmetry) {
    const AutoGridArea area = GenerationArea(s.width, s.height, symmetry);
    for (int i = 1; i <= area.width; ++i)
        for (int j = 1; j <= area.height; ++j)
            if (s.letter[i][j])
                for (CellPos p : SymmetricPartners(symmetry, s.width, s.height, i, j))
                    s.letter[p.x][p.y] = true;
}

void SplitLongRuns(TGratShape& s, int symmetry) {
    auto& a = s.letter;
    // The look-back does not test the square itself: a square already cleared as a mirror image
    // ends the run there, and picking it only corrects the count.
    for (int j = 1; j <= s.height; ++j) {
        int count = 0;
        for (int i = 1; i <= s.width; ++i) {
            if (!a[i][j]) {
                count = 0;
                continue;
            }
            if (++count <= kMaxWordLen) continue;
            for (int t = i; t >= i - count + 1; --t)
                if (!a[t][j - 1] && !a[t][j + 1]) {
                    ClearWithPartners(s, symmetry, t, j);
                    count = i - t;
                    break;
                }
        }
    }
    for (int i = 1; i <= s.width; ++i) {
        int count = 0;
        for (int j = 1; j <= s.height; ++j) {
            if (!a[i][j]) {
                count = 0;
                continue;
            }
            if (++count <= kMaxWordLen) continue;
            for (int t = j; t >= j - count + 1; --t)
                if (!a[i - 1][t] && !a[i + 1][t]) {
                    ClearWithPartners(s, symmetry, i, t);
                    count = j - t;
                    break;
                }
        }
    }
}

bool CleanUpPass(TGratShape& s, int symmetry) {
    auto& a = s.letter;
    bool weak = false;
    // Every square goes together with its mirror images: the scans run one way and trim the two ends
    // of a word differently, so clearing single squares would break the symmetry of the shape.
    auto clearAt = [&](int x, int y) { ClearWithPartners(s, symmetry, x, y); };

    // Squares of a run along (dx, dy) from (x, y), with their crossings.
    auto scan = [&](int x, int y, int dx, int dy) {
        RunCrossings r;
        for (int k = 0; a[x + k * dx][y + k * dy]; ++k) {
            const int cx = x + k * dx, cy = y + k * dy;
            if (a[cx - dy][cy - dx] || a[cx + dy][cy + dx]) {
                if (r.first < 0) r.first = k;
                r.last = k;
                ++r.crossed;
            }
            ++r.len;
        }
        return r;
    };
    auto crossedAt = [&](int x, int y, int dx, int dy) { return a[x - dy][y - dx] || a[x + dy][y + dx]; };

    // Handles the word starting at (x, y) along (dx, dy); `keepAfterLast` uncrossed squares stay
    // after its last crossing. Returns the word's length.
    auto word = [&](int x, int y, int dx, int dy, int keepAfterLast) {
        const RunCrossings r = scan(x, y, dx, dy);
        auto clear = [&](int k) { clearAt(x + k * dx, y + k * dy); };
        if (r.crossed < 2) {
            weak = true;
            for (int k = 0; k < r.len; ++k)
                if (!crossedAt(x + k * dx, y + k * dy, dx, dy)) clear(k);
            return r.len;
        }
        // The far end is trimmed only when the square after it has no letter beside it.
        if (!crossedAt(x + r.len * dx, y + r.len * dy, dx, dy))
            for (int k = r.last + 1 + keepAfterLast; k < r.len; ++k)
                clear(k);
        for (int k = 0; k <= r.first - 2; ++k)
            clear(k);
        return r.len;
    };

    for (int i = 1; i <= s.width; ++i)
        for (int j = 1; j <= s.height; ++j)
            if (!a[i][j - 1] && a[i][j] && a[i][j + 1]) j += word(i, j, 0, 1, 0) - 1;

    for (int j = 1; j <= s.height; ++j)
        for (int i = 1; i <= s.width; ++i) {
            if (!a[i - 1][j] && a[i][j] && a[i + 1][j])
                i += word(i, j, 1, 0, 1) - 1;
            else if (a[i][j] && !a[i - 1][j] && !a[i + 1][j] && !a[i][j - 1] && !a[i][j + 1])
                clearAt(i, j);
        }
    return weak;
}

bool IsAcceptedAutoGrid(const TGratShape& s) {
    const auto& a = s.letter;
    const int w = s.width, h = s.height;
    auto rowHas = [&](int j) {
        for (int i = 1; i <= w; ++i)
            if (a[i][j]) return true;
        return false;
    };
    auto columnHas = [&](int i) {
        for (int j = 1; j <= h; ++j)
            if (a[i][j]) return true;
        return false;
    };
    if (!rowHas(1) || !rowHas(h) || !rowHas((h + 1) / 2)) return false;
    if (!columnHas(1) || !columnHas(w) || !columnHas((w + 1) / 2)) return false;

    // A run crossed on every square cannot be split; such a trial is not accepted.
    for (int j = 1; j <= h; ++j)
        for (int i = 1, run = 0; i <= w; ++i)
            if ((run = a[i][j] ? run + 1 : 0) > kMaxWordLen) return false;
    for (int i = 1; i <= w; ++i)
        for (int j = 1, run = 0; j <= h; ++j)
            if ((run = a[i][j] ? run + 1 : 0) > kMaxWordLen) return false;
    return true;
}

AutoGridResult GenerateAutoGrid(TGratShape& shape, int symmetry, std::uint64_t seed,
                                const AutoGridTick& tick) {
    assert(IsValidSymmetry(symmetry));
    assert(shape.width <= kMaxGridSide && shape.height <= kMaxGridSide);
    AutoGridResult result;
    if ((result.refusal = AutoGridSizeRefusal(shape.width, shape.height))) return result;

    // One generator for all trials: reseeding every trial from a coarse clock could repeat a
    // rejected trial over and over.
    std::mt19937_64 rng(seed);
    for (;;) {
        ++result.trials;
        ClearMatrix(shape.letter);
        bool go = Placement(shape, symmetry, rng).Run(tick);
        if (go) {
            MirrorGenerationArea(shape, symmetry);
            SplitLongRuns(shape, symmetry);
            bool weak = true;
            while (go && weak) {
                weak = CleanUpPass(shape, symmetry);
                go = !tick || tick();
            }
        }
        if (!go) {
            ClearMatrix(shape.letter);
            result.status = AutoGridStatus::Stopped;
            return result;
        }
        if (IsAcceptedAutoGrid(shape)) {
            result.status = AutoGridStatus::Accepted;
            return result;
        }
    }
}

int FillPercent(const TGratShape& s) {
    if (s.width <= 0 || s.height <= 0) return 0;
    int letters = 0;
    for (int i = 1; i <= s.width; ++i)
        for (int j = 1; j <= s.height; ++j)
            letters += s.letter[i][j];
    return letters * 100 / (s.width * s.height);
}

std::string AutoGridFillText(const TGratShape& s) {
    return ru("Заполнение ") + std::to_string(FillPercent(s)) + "%";
}

} // namespace vez
