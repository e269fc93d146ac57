// What the compose and bench commands share: rule names, and one timed engine run on a copy of a
// model.
#pragma once

#include "cli/GridSource.h"
#include "compose/FillEngine.h"

#include <optional>
#include <string>

namespace vez::cli {

// "follow", "empty", "max", "zigzag", "random", "smart" or 0 … 5.
std::optional<TFillAlgorithm> ParseRule(const std::string& s);
const char* RuleName(TFillAlgorithm r);

struct FillRunResult {
    FillEnd end = FillEnd::Running; // Running: the time limit was reached (the run was stopped)
    double seconds = 0;
    FillStats stats;
    std::string failure;
    std::vector<int> deadSlots; // Unfillable: the slots whose candidates ran out
    std::string deadText;       // … as the reader numbers them ("12 по горизонтали, …", UTF-8)
    GridModel model; // the grid and words as the run left them
};

// Runs the engine on a copy of `model` until it ends or `limitSeconds` pass (then stops it).
FillRunResult RunFill(const GridModel& model, const TWordPool& pools, TFillAlgorithm rule, bool backward,
                      std::uint64_t seed, double limitSeconds);

} // namespace vez::cli
