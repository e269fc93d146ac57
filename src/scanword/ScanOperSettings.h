// The operative settings of the scanword layout generation: the short-word check and its limits,
// the nonstandard directions, the composition area, and the word-length list of the last layout.
#pragma once

#include "scanword/ScanBlocks.h"
#include "scanword/ScanGenerator.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vez {

struct Settings;

class ScanOperSettings {
public:
    static constexpr int kMinArea = 5, kMaxArea = 8;
    // Highest limit for words of 2, 3 and 4 letters.
    static int MaxLimit(int length) { return length == 2 ? 10 : length == 3 ? 20 : 100; }

    bool shortCheck() const { return shortCheck_; }
    void SetShortCheck(bool on) { shortCheck_ = on; }
    // The limit rows can be changed only while the check is on.
    bool limitsEnabled() const { return shortCheck_; }
    int limit(int length) const { return limit_[length]; }
    // Clamped to 0 … MaxLimit; ignored for other lengths and while the check is off.
    void SetLimit(int length, int value);

    int area() const { return area_; }
    // Clamped to 5 … 8; true when the value changed.
    bool SetArea(int q);

    // "разрешить" mirrors PermitArrow of the settings in memory.
    static bool PermitArrows(const Settings& s);
    static void SetPermitArrows(Settings& s, bool on);

    // The options of the next generation.
    ScanOptions Options(const Settings& s) const;

    // The word-length list: 15 rows "2." … "16.", with counts after a completed layout.
    void SetLengths(const ScanWordCounts& counts);
    void ClearLengths() { lengths_.reset(); }
    bool hasLengths() const { return lengths_.has_value(); }
    std::vector<std::string> LengthRows() const; // Windows-1251
    int lengthCount(int length) const { return lengths_ ? (*lengths_)[length] : 0; }

private:
    bool shortCheck_ = true;
    int limit_[5] = {0, 0, 2, 3, 16};
    int area_ = 7;
    std::optional<std::array<int, 17>> lengths_;
};

} // namespace vez
