// The default grid storage that the set-up stages as CROS/GratCROS1.bmp: generated shapes from
// 7 x 7 to 25 x 25 in every symmetry mode, each kept only when the default dictionary fills it.
//
// The storage is rebuilt from a fixed plan. Every place of the plan names a size, a symmetry mode
// and a first seed; candidates are generated with seed, seed + 1, … and the first one that passes
// the fill trial takes the place. The trial runs the filling engine with the default rule (Follow)
// several times with fixed engine seeds and a time limit per run; a shape passes when enough runs
// fill it. Generation is exact for a seed; only the trial is timed, so a much slower machine can
// reject a candidate that passes here (the plan then moves on to the next seed). Kept shapes go
// into cells 0, 1, 2, … row by row, in plan order (small to large).
#pragma once

#include "compose/FillTypes.h"
#include "compose/WordPool.h"
#include "grids/GridStore.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vez {

struct DefaultShapePlan {
    int width = 0;
    int height = 0;
    int symmetry = 0;
    std::uint64_t firstSeed = 0;
};

// The places of the default storage, smallest area first.
const std::vector<DefaultShapePlan>& DefaultStorePlan();
// Candidates tried per place before the place is given up.
inline constexpr int kDefaultSeedTries = 8;

// The fill trial of one shape. A default shape must fill within 10 s in 9 of 10 runs; the trial
// allows half of that, so that a shape whose fill times come close to the limit here (and would
// fail on a slower or busier machine) is not kept.
inline constexpr int kFillTrialRuns = 10;
inline constexpr int kFillTrialNeeded = 9;
inline constexpr double kFillTrialSeconds = 5.0;

struct FillTrialResult {
    int runs = 0;             // runs made (the trial stops once it can no longer pass)
    int filled = 0;           // runs that filled every slot within the limit
    double medianSeconds = 0; // over the runs made; a run that did not fill counts as the limit
    std::string error;        // the grid cannot be composed at all (Windows-1251)
};
bool PassesFillTrial(const FillTrialResult& r);

// Runs the engine with `rule` on the shape, `runs` times with engine seeds 1 … runs, each for at
// most `limitSeconds`, and stops early once `needed` fills are out of reach.
FillTrialResult RunFillTrial(const TGratShape& shape, const TWordPool& pools,
                             TFillAlgorithm rule = TFillAlgorithm::Follow, int runs = kFillTrialRuns,
                             int needed = kFillTrialNeeded, double limitSeconds = kFillTrialSeconds);

// Pools of every word length 2 … 16 of DICT in `home` (one read for all trials).
PoolsResult BuildAllPools(const fs::path& home);

struct DefaultStoreShape {
    DefaultShapePlan plan;
    std::uint64_t seed = 0;
    TGratShape shape;
    FillTrialResult trial;
};

struct DefaultStoreChoice {
    std::vector<DefaultStoreShape> kept;
    std::vector<DefaultShapePlan> missed; // places where no candidate passed
};

using ShapeTrial = std::function<FillTrialResult(const TGratShape&)>;
// Called for every candidate after its trial.
using CandidateSeen = std::function<void(const DefaultStoreShape& candidate, bool kept)>;

// Walks the plan in order and keeps, per place, the first candidate whose trial passes.
DefaultStoreChoice ChooseDefaultShapes(const std::vector<DefaultShapePlan>& plan, int seedTries,
                                       const ShapeTrial& trial, const CandidateSeen& seen = {});

// A blank 4-bit storage with shape k in cell k; nullopt for more than 100 shapes.
std::optional<TGratStore> StoreOfShapes(const std::vector<DefaultStoreShape>& shapes);

} // namespace vez
