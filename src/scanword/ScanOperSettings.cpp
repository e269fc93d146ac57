#include "scanword/ScanOperSettings.h"

#include "settings/Config.h"

#include <algorithm>

namespace vez {

void ScanOperSettings::SetLimit(int length, int value) {
    if (length < 2 || length > 4 || !shortCheck_) return;
    limit_[length] = std::clamp(value, 0, MaxLimit(length));
}

bool ScanOperSettings::SetArea(int q) {
    q = std::clamp(q, kMinArea, kMaxArea);
    if (q == area_) return false;
    area_ = q;
    return true;
}

bool ScanOperSettings::PermitArrows(const Settings& s) { return s.PermitArrow; }
void ScanOperSettings::SetPermitArrows(Settings& s, bool on) { s.PermitArrow = on; }

ScanOptions ScanOperSettings::Options(const Settings& s) const {
    ScanOptions o;
    o.shortCheck = shortCheck_;
    for (int n = 2; n <= 4; ++n) o.maxShort[n] = limit_[n];
    o.permitArrows = s.PermitArrow;
    o.area = area_;
    return o;
}

void ScanOperSettings::SetLengths(const ScanWordCounts& counts) {
    std::array<int, 17> l{};
    for (int n = 2; n <= 16; ++n) l[n] = counts.byLength[n];
    lengths_ = l;
}

std::vector<std::string> ScanOperSettings::LengthRows() const {
    std::vector<std::string> rows;
    for (int n = 2; n <= 16; ++n) {
        std::string r = std::to_string(n) + ".";
        if (lengths_) r += "  " + std::to_string((*lengths_)[n]);
        rows.push_back(std::move(r));
    }
    return rows;
}

} // namespace vez
