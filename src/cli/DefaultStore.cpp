#include "cli/DefaultStore.h"

#include "compose/FillEngine.h"
#include "grids/AutoGrid.h"

#include <algorithm>
#include <chrono>

namespace vez {

const std::vector<DefaultShapePlan>& DefaultStorePlan() {
    // Sizes rise with the area; the symmetry modes take turns so that every mode appears at small,
    // middle and large sizes. Seeds are spaced by 100, so the candidates of two places never share
    // a seed.
    static const std::vector<DefaultShapePlan> plan = [] {
        const struct {
            int w, h, sym;
        } places[] = {
            {7, 7, 1},   {7, 7, 4},   {8, 8, 2},   {9, 7, 3},   {9, 9, 1},   {9, 9, 4},   {10, 10, 2},
            {11, 9, 3},  {11, 11, 1}, {11, 11, 4}, {12, 12, 2}, {13, 11, 3}, {13, 13, 1}, {13, 13, 4},
            {14, 14, 2}, {15, 11, 3}, {15, 13, 4}, {15, 15, 1}, {15, 15, 2}, {16, 16, 3}, {17, 13, 4},
            {17, 17, 1}, {18, 18, 2}, {19, 15, 3}, {19, 19, 4}, {19, 19, 1}, {20, 20, 2}, {21, 17, 3},
            {21, 21, 4}, {21, 21, 1}, {22, 22, 2}, {23, 19, 3}, {23, 23, 4}, {23, 23, 1}, {24, 24, 2},
            {25, 21, 3}, {25, 25, 4}, {25, 25, 1}, {25, 25, 2}, {25, 25, 3},
        };
        std::vector<DefaultShapePlan> v;
        std::uint64_t seed = 100;
        for (const auto& p : places) {
            v.push_back({p.w, p.h, p.sym, seed});
            seed += 100;
        }
        return v;
    }();
    return plan;
}

bool PassesFillTrial(const FillTrialResult& r) {
    return r.error.empty() && r.filled >= kFillTrialNeeded;
}

PoolsResult BuildAllPools(const fs::path& home) {
    SlotTable lengths(1);
    for (int len = 2; len <= kMaxWordLen; ++len) {
        TWordSlot s;
        s.length = static_cast<std::uint8_t>(len);
        lengths.push_back(s);
    }
    return BuildPools(home, lengths);
}

FillTrialResult RunFillTrial(const TGratShape& shape, const TWordPool& pools, TFillAlgorithm rule, int runs,
                             int needed, double limitSeconds) {
    FillTrialResult res;
    const TGrat empty = GratFromShape(shape);
    SlotTable emptySlots = FindSlots(empty);
    if (!BuildCrossings(empty, emptySlots)) {
        res.error = "the shape has a crossed letter beyond the 16th of its run";
        return res;
    }
    FillOptions options;
    options.rule = rule;
    options.showLetters = false; // nobody draws: progress reports collapse into one
    const auto limit =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<double>(limitSeconds));
    std::vector<double> times;
    for (int run = 1; run <= runs && res.filled + (runs - res.runs) >= needed; ++run) {
        TGrat grat = empty;
        SlotTable slots = emptySlots;
        FillReportQueue queue;
        FillEnd end;
        double seconds;
        {
            FillEngine engine(grat, slots, pools, options, queue, static_cast<std::uint64_t>(run));
            engine.Start();
            end = engine.WaitEnd(limit);
            if (end == FillEnd::Running) {
                engine.Stop();
                engine.WaitEnd(std::chrono::hours(1));
            }
            seconds = engine.Seconds();
        }
        ++res.runs;
        if (end == FillEnd::Finished) {
            ++res.filled;
            times.push_back(seconds);
        } else {
            times.push_back(limitSeconds);
        }
    }
    std::sort(times.begin(), times.end());
    if (!times.empty()) {
        const std::size_t n = times.size();
        res.medianSeconds = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    }
    return res;
}

DefaultStoreChoice ChooseDefaultShapes(const std::vector<DefaultShapePlan>& plan, int seedTries,
                                       const ShapeTrial& trial, const CandidateSeen& seen) {
    DefaultStoreChoice choice;
    for (const DefaultShapePlan& place : plan) {
        bool found = false;
        for (int k = 0; k < seedTries && !found; ++k) {
            DefaultStoreShape cand;
            cand.plan = place;
            cand.seed = place.firstSeed + static_cast<std::uint64_t>(k);
            cand.shape.width = place.width;
            cand.shape.height = place.height;
            if (GenerateAutoGrid(cand.shape, place.symmetry, cand.seed).status != AutoGridStatus::Accepted)
                continue;
            cand.trial = trial(cand.shape);
            found = PassesFillTrial(cand.trial);
            if (seen) seen(cand, found);
            if (found) choice.kept.push_back(std::move(cand));
        }
        if (!found) choice.missed.push_back(place);
    }
    return choice;
}

std::optional<TGratStore> StoreOfShapes(const std::vector<DefaultStoreShape>& shapes) {
    if (shapes.size() > static_cast<std::size_t>(kStoreCellCount)) return std::nullopt;
    TGratStore p = MakeBlankStore();
    for (std::size_t k = 0; k < shapes.size(); ++k)
        WriteShape(p, static_cast<int>(k % kStoreCells), static_cast<int>(k / kStoreCells), shapes[k].shape);
    return p;
}

} // namespace vez
